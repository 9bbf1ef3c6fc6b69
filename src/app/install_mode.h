#pragma once

#include <ostream>

#include "app/command_line.h"
#include "app/host_environment.h"

namespace setup {

// `setup` without a mode: the installation. Without windows (--unattended, --answers, or no
// display: none of DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM set) every dialog is answered
// from the answers file or by its default; with windows every dialog must be one the Qt
// backend can show, else the run refuses with EXIT_USAGE naming the dialogs it cannot show.
// Every dialog and message box is also printed to `console`. A second copy started while
// one runs ends at once with EXIT_ALREADY_RUNNING, before it loads anything or shows
// anything. Returns the exit status (front_end.h).
int RunInstallMode(HostEnvironment& env, const CommandLine& line, std::ostream& console);

// The lock file that keeps a second copy of the program file `module_file` from running:
// in $TMPDIR (else /tmp), named after the user and the program file.
std::string InstanceLockPath(const std::string& module_file);

}  // namespace setup
