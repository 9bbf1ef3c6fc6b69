#include "app/front_end.h"

#include <iostream>
#include <string>

#include "app/check_mode.h"
#include "app/command_line.h"
#include "app/display_check.h"
#include "app/install_mode.h"
#include "app/plan_mode.h"
#include "app/run_script_mode.h"
#include "app/uninstall_mode.h"
#include "platform/code_page.h"
#include "platform/host.h"
#include "ui/framework/console_message_box.h"

namespace setup {

int RunFrontEnd(int argc, char** argv) {
  std::string error;
  std::optional<CommandLine> line = ParseCommandLine(argc - 1, argv + 1, error);
  if (!line) {
    std::cerr << "setup: " << error << "\nTry 'setup --help' for more information.\n";
    return EXIT_USAGE;
  }
  if (line->mode == RunMode::Help) {
    std::cout << UsageText();
    return EXIT_FINISHED;
  }
  if (line->mode == RunMode::Version) {
    std::cout << "setup 0.1\n";
    return EXIT_FINISHED;
  }

  if (!DisplayOpensIfWanted(*line, std::cerr)) return EXIT_NO_DISPLAY;
  auto host = CreateHost(line->profile_file, line->start_dir);
  if (!host.ok()) {
    const Status& status = host.status();
    // Profile messages already name the file and line.
    bool names_path = status.message().find(status.path()) != std::string::npos;
    std::cerr << "setup: " << (names_path ? status.message() : status.ToString()) << "\n";
    return EXIT_USAGE;
  }

  switch (line->mode) {
    case RunMode::Check:
      return RunCheckMode(**host, line->json, std::cout);
    case RunMode::Plan:
      return RunPlanMode(**host, *line, std::cout, std::cerr);
    case RunMode::RunScript: {
      ConsoleMessageBox console((*host)->code_page(), std::cerr);
      return RunScriptMode(**host, console, line->script_file, line->section);
    }
    case RunMode::Uninstall:
      return RunUninstallMode(**host, *line, std::cout, std::cerr);
    default:
      return RunInstallMode(**host, *line, std::cerr);
  }
}

}  // namespace setup
