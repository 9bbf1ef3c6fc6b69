#include "app/display_check.h"

#include "platform/display_probe.h"

namespace setup {

bool WantsWindows([[maybe_unused]] const CommandLine& line,
                  [[maybe_unused]] bool display_available) {
#if defined(SETUP_HAVE_QT) || defined(SETUP_HAVE_WIN32_UI)
  return line.gui || (!line.unattended && display_available);
#else
  // A build without a window backend asks at the terminal, rather than taking every
  // default unasked as though it had been run unattended.
  return false;
#endif
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
