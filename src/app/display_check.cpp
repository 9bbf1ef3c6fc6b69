#include "app/display_check.h"

#include "platform/display_probe.h"

namespace setup {

bool WantsWindows(const CommandLine& line, bool display_available) {
  return line.gui || (!line.unattended && display_available);
}

bool DisplayOpensIfWanted(const CommandLine& line, std::ostream& console) {
  const bool asks = line.mode == RunMode::Install ||
                    (line.mode == RunMode::Uninstall && line.uninstall_name.has_value());
  if (!asks || !WantsWindows(line, DisplayNamed())) return true;
  if (CanOpenDisplay()) return true;
  console << "setup: cannot open the display for real windows (check DISPLAY, "
             "WAYLAND_DISPLAY or QT_QPA_PLATFORM, or install with --unattended)\n";
  return false;
}

}  // namespace setup
