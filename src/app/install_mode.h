#pragma once

#include <ostream>

#include "app/command_line.h"
#include "platform/host.h"

namespace setup {

// `setup` without a mode: the installation. In real windows when asked for (--gui) or when
// a display is available and no run without windows was asked for (display_check.h); the
// display was checked before the host was built. Without windows every dialog is answered
// from the answers file or by its default; in windows a person answers, or the answers file
// when one is given. --screenshots DIR saves a PNG of each window, drawn offscreen when the
// run has no windows. Every dialog and message box is also printed to `console`. A second
// copy started while one runs ends at once with EXIT_ALREADY_RUNNING, before it loads
// anything or shows anything. Returns the exit status (front_end.h).
int RunInstallMode(Host& host, const CommandLine& line, std::ostream& console);

}  // namespace setup
