#pragma once

namespace setup {

// Whether real windows can be opened: the windowing system the toolkit will pick answers a
// connection. Checked before the toolkit starts, because it ends the process when it cannot
// open its display. A platform without a display server to ask (offscreen rendering, the
// Windows desktop) can always open windows.
bool CanOpenDisplay();

// Whether the environment names a display at all (DISPLAY, WAYLAND_DISPLAY or a Qt platform).
bool DisplayNamed();

}  // namespace setup
