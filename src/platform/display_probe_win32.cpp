#include "platform/display_probe.h"

#include <windows.h>

namespace setup {

// A session whose desktop cannot hold a window (Wine without a display driver) fails to
// make this hidden one, so nothing is installed unasked behind dialogs that never open.
bool CanOpenDisplay() {
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  if (probe == nullptr) return false;
  DestroyWindow(probe);
  return true;
}

// Every Windows session has its desktop.
bool DisplayNamed() { return true; }

}  // namespace setup
