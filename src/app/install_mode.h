#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup` without a mode: the installation. Without windows and with --unattended or
// --answers every dialog is answered from the answers file (checked against SETUP.INI
// before anything is written: each mistake printed as FILE:LINE: message, EXIT_USAGE) or by
// its default; without a display and without those, a person at the terminal answers each
// dialog typed (no terminal: EXIT_USAGE, saying to use --unattended); with windows every
// dialog must be one the Qt backend can show, else the run refuses with EXIT_USAGE naming
// the dialogs it cannot show. Every dialog and message box is also printed to `console`
// unless --quiet (or the terminal's questions show them). A second copy started while one
// runs says so on `console` and ends at once with EXIT_ALREADY_RUNNING, before it loads or
// shows anything. Returns the exit status (front_end.h).
int RunInstallMode(Host& host, const CommandLine& line, std::ostream& console);

}  // namespace setup
