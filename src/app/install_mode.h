#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup` without a mode: the installation. Without windows (--unattended, --answers, or no
// display: the host has none) every dialog is answered
// from the answers file or by its default; with windows every dialog must be one the Qt
// backend can show, else the run refuses with EXIT_USAGE naming the dialogs it cannot show.
// Every dialog and message box is also printed to `console`. A second copy started while
// one runs ends at once with EXIT_ALREADY_RUNNING, before it loads anything or shows
// anything. Returns the exit status (front_end.h).
int RunInstallMode(Host& host, const CommandLine& line, std::ostream& console);

}  // namespace setup
