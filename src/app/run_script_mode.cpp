#include "app/run_script_mode.h"

#include <chrono>
#include <iostream>
#include <thread>
#include <vector>

#include "app/front_end.h"
#include "app/startup_checks.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/posix_path_search.h"
#include "platform/posix_process_runner.h"
#include "platform/posix_shell_link_maker.h"
#include "script/path_macro.h"
#include "script/script_runner.h"

namespace setup {
namespace {

// Shows every box through the run's service but answers RENAME's retry question (the only
// Retry/Cancel box) with Cancel, as an unattended run does.
class CancelRetryMessages : public MessageBoxService {
 public:
  explicit CancelRetryMessages(MessageBoxService& inner) : inner_(inner) {}
  MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override {
    MessageBoxResult answer = inner_.ShowMessageBox(request);
    if (request.buttons == MessageBoxButtons::RetryCancel) return MessageBoxResult::Cancel;
    return answer;
  }

 private:
  MessageBoxService& inner_;
};

}  // namespace

int RunScriptMode(HostEnvironment& env, MessageBoxService& messages, const std::string& script_path,
                  int section_number) {
  return RunScriptMode(env, messages, script_path, section_number, [](int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  });
}

int RunScriptMode(HostEnvironment& env, MessageBoxService& messages, const std::string& script_path,
                  int section_number, const std::function<void(int milliseconds)>& pause) {
  FileSystem& fs = *env.fs;
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, env.code_page);
  SpecialFolders folders(env.system, env.registry ? &*env.registry : nullptr, findings);
  ShowConfigFindings(findings, messages);
  if (section_number < 1 || section_number > config.m_nSections) {
    std::cerr << "setup: --section " << section_number << ": SETUP.INI has " << config.m_nSections
              << " section" << (config.m_nSections == 1 ? "" : "s") << "\n";
    return EXIT_USAGE;
  }

  std::string start_dir = env.start_dir;
  std::string work_dir = start_dir;
  if (work_dir.empty() || work_dir.back() != '\\') work_dir.push_back('\\');
  folders[FOLDER_STARTDIR] = work_dir;
  folders[FOLDER_WORKDIR] = work_dir;

  config.m_nCurrentSection = section_number - 1;
  std::string dest_dir = config.GetSectionValue(KEY_DESTDIR);
  ExpandPathMacro(dest_dir, config, folders, env.code_page);
  config.SetSectionValue(KEY_DESTDIR, dest_dir);

  CancelRetryMessages script_messages(messages);
  PosixProcessRunner processes(fs, env.code_page);
  PosixShellLinkMaker links(fs);
  PosixPathSearch search = PosixPathSearch::FromEnvironment(fs, env.system, env.code_page);
  ScriptRunner runner({config, folders, fs, script_messages, env.system, env.code_page, processes,
                       links, search, pause});

  fs.SetCurrentDirectory(folders[FOLDER_WORKDIR]);
  runner.RunScriptFile(env.code_page.FromUtf8(script_path), start_dir);
  return EXIT_FINISHED;
}

}  // namespace setup
