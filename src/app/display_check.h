#pragma once

#include <ostream>

#include "app/command_line.h"

namespace setup {

// Whether an installation runs in real windows: asked for with --gui, or by default when
// the environment names a display and --unattended (or --answers alone) was not given.
// Never in a build without a window backend.
bool WantsWindows(const CommandLine& line, bool display_available);

// Before the host is built (which may create the registry store), so nothing is written by
// a run whose windows cannot open: when the installation (or the removal of an entry) wants
// windows and the display does
// not answer, prints one line to `console` and returns false (exit with EXIT_NO_DISPLAY).
bool DisplayOpensIfWanted(const CommandLine& line, std::ostream& console);

}  // namespace setup
