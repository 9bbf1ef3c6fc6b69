#include "app/run_script_mode.h"

#include <iostream>
#include <string_view>
#include <vector>

#include "app/front_end.h"
#include "app/startup_checks.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page_text.h"
#include "script/path_macro.h"
#include "script/script_runner.h"
#include "script/script_text_reader.h"

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

int RunScriptMode(Host& host, MessageBoxService& messages, const std::string& script_path,
                  int section_number) {
  FileSystem& fs = host.file_system();
  const CodePage& code_page = host.code_page();
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, code_page);
  SpecialFolders folders(host.system(), host.registry(), findings);
  ShowConfigFindings(findings, messages);
  if (section_number < 1 || section_number > config.m_nSections) {
    std::cerr << "setup: --section " << section_number << ": SETUP.INI has " << config.m_nSections
              << " section" << (config.m_nSections == 1 ? "" : "s") << "\n";
    return EXIT_USAGE;
  }

  std::string start_dir = host.start_dir();
  const std::string work_dir = WithTrailingBackslash(code_page, start_dir);
  folders[FOLDER_STARTDIR] = work_dir;
  folders[FOLDER_WORKDIR] = work_dir;

  config.m_nCurrentSection = section_number - 1;
  std::string dest_dir = config.GetSectionValue(KEY_DESTDIR);
  ExpandPathMacro(dest_dir, config, folders, code_page);
  config.SetSectionValue(KEY_DESTDIR, dest_dir);

  CancelRetryMessages script_messages(messages);
  ScriptRunner runner({config, folders, fs, script_messages, host.system(), code_page,
                       host.processes(), host.links(), host.path_search(),
                       [&host](int milliseconds) { host.Sleep(milliseconds); }});

  fs.ChangeDirectory(folders[FOLDER_WORKDIR]);
  // A script being written on the host is run from there; otherwise it is the disc's.
  if (Result<std::string> host_text = host.ReadWholeFile(script_path); host_text.ok()) {
    fs.ChangeDirectory(start_dir);
    ScriptTextReader reader(
        [&runner](std::string_view line) { runner.RunScriptLine(std::string(line)); });
    reader.Feed(*host_text);
    reader.Finish();
    return EXIT_FINISHED;
  }
  runner.RunScriptFile(code_page.FromUtf8(script_path), start_dir);
  return EXIT_FINISHED;
}

}  // namespace setup
