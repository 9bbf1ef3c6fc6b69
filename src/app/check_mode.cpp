#include "app/check_mode.h"

#include <vector>

#include "app/front_end.h"
#include "app/registry_preview.h"
#include "app/startup_checks.h"
#include "config/ini_file.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "install/install_preparation.h"
#include "lint/lint.h"
#include "lint/lint_output.h"
#include "ui/framework/console_message_box.h"

namespace setup {

namespace {

// Prints each message box as a JSON finding of kind "message".
class JsonMessageBoxes : public MessageBoxService {
 public:
  JsonMessageBoxes(const CodePage& code_page, std::ostream& out)
      : m_codePage(code_page), m_out(out) {}
  MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override {
    LintFinding finding{LintFinding::Kind::Message, "", 0, "", "", request.text, request.caption};
    m_out << FindingJson(finding, m_codePage) << "\n";
    return MessageBoxResult::Ok;
  }

 private:
  const CodePage& m_codePage;
  std::ostream& m_out;
};

}  // namespace

int RunCheckMode(Host& host, bool json, std::ostream& out) {
  FileSystem& fs = host.file_system();
  const CodePage& code_page = host.code_page();
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, code_page);
  RegistryPreview registry(host);
  SpecialFolders folders(host.system(), registry.registry(), findings);

  ConsoleMessageBox console(code_page, out);
  JsonMessageBoxes json_boxes(code_page, out);
  MessageBoxService& boxes = json ? static_cast<MessageBoxService&>(json_boxes) : console;
  if (json) {
    for (const ConfigFinding& finding : findings) {
      out << FindingJson(MessageFinding(finding), code_page) << "\n";
    }
  } else {
    ShowConfigFindings(findings, console);
  }
  if (MissingStartupFile(fs, boxes)) return EXIT_STARTUP;

  PrepareInstall(config, folders, code_page, host.start_dir());
  const IniFile setup_ini = IniFile::Load(fs, ".\\SETUP.INI");
  const IniFile setup_txt = IniFile::Load(fs, ".\\SETUP.TXT");
  std::vector<LintFinding> lint = LintDisc({fs, code_page, config, folders, setup_ini, setup_txt});
  for (const LintFinding& finding : lint) {
    out << (json ? FindingJson(finding, code_page) : FindingLine(finding, code_page)) << "\n";
  }
  return findings.empty() && lint.empty() ? EXIT_FINISHED : EXIT_FAILED;
}

}  // namespace setup
