#include "app/check_mode.h"

#include <vector>

#include "app/front_end.h"
#include "app/startup_checks.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "ui/framework/console_message_box.h"

namespace setup {

int RunCheckMode(HostEnvironment& env, std::ostream& out) {
  ConsoleMessageBox console(env.code_page, out);
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(*env.fs, env.code_page);
  SpecialFolders folders(env.system, env.registry ? &*env.registry : nullptr, findings);
  ShowConfigFindings(findings, console);
  if (MissingStartupFile(*env.fs, console)) return EXIT_STARTUP;
  return findings.empty() ? EXIT_FINISHED : EXIT_FAILED;
}

}  // namespace setup
