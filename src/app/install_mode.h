#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup` without a mode: the installation. In real windows when asked for (--gui) or when
// a display is available and no run without windows was asked for (display_check.h); the
// display was checked before the host was built. In windows a person answers, or the
// answers file when one is given. Without windows and with --unattended or --answers every
// dialog is answered from the answers file or by its default; without those, a person at
// the terminal answers each dialog typed (no terminal: EXIT_USAGE, saying to use
// --unattended). The answers file is checked against SETUP.INI before anything is written:
// each mistake printed as FILE:LINE: message, EXIT_USAGE. --screenshots DIR saves a PNG of
// each window, drawn offscreen when the run has no windows. Every dialog and message box is
// also printed to `console` unless --quiet (or the terminal's questions show them). A second
// copy started while one runs says so on `console` and ends at once with
// EXIT_ALREADY_RUNNING, before it loads or shows anything. Returns the exit status
// (front_end.h).
int RunInstallMode(Host& host, const CommandLine& line, std::ostream& console);

}  // namespace setup
