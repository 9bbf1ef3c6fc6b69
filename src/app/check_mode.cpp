#include "app/check_mode.h"

#include <vector>

#include "app/front_end.h"
#include "app/startup_checks.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "ui/framework/console_message_box.h"

namespace setup {

int RunCheckMode(Host& host, std::ostream& out) {
  ConsoleMessageBox console(host.code_page(), out);
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(host.file_system(), host.code_page());
  SpecialFolders folders(host.system(), host.registry(), findings);
  ShowConfigFindings(findings, console);
  if (MissingStartupFile(host.file_system(), console)) return EXIT_STARTUP;
  return findings.empty() ? EXIT_FINISHED : EXIT_FAILED;
}

}  // namespace setup
