#include "app/front_end.h"

#include <unistd.h>
#include <iostream>
#include <string>

#include "app/check_mode.h"
#include "app/command_line.h"
#include "app/host_environment.h"
#include "app/install_mode.h"
#include "app/run_script_mode.h"
#include "platform/code_page.h"
#include "ui/framework/console_message_box.h"

namespace setup {

namespace {

std::string CurrentHostDirectory() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

}  // namespace

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

  std::string start_dir = line->start_dir ? *line->start_dir : CurrentHostDirectory();
  auto env = BuildHostEnvironment(line->profile_file, start_dir);
  if (!env.ok()) {
    const Status& status = env.status();
    // Profile messages already name the file and line.
    bool names_path = status.message().find(status.path()) != std::string::npos;
    std::cerr << "setup: " << (names_path ? status.message() : status.ToString()) << "\n";
    return EXIT_USAGE;
  }

  switch (line->mode) {
    case RunMode::Check:
      return RunCheckMode(**env, std::cout);
    case RunMode::RunScript: {
      ConsoleMessageBox console((*env)->code_page, std::cerr);
      return RunScriptMode(**env, console, line->script_file, line->section);
    }
    default:
      return RunInstallMode(**env, *line, std::cerr);
  }
}

}  // namespace setup
