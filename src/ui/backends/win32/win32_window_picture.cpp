#include "ui/backends/win32/win32_window_picture.h"

#include "ui/backends/win32/win32_dib_section.h"

namespace setup {

namespace {

// Windows 8.1 and later draw the window's whole composed content with it; older systems
// refuse the flag, and the copy from the screen takes over.
#ifndef PW_RENDERFULLCONTENT
constexpr UINT PW_RENDERFULLCONTENT = 0x00000002;
#endif

bool DrawWindowInto(HWND window, HDC target, int width, int height) {
  if (PrintWindow(window, target, PW_CLIENTONLY | PW_RENDERFULLCONTENT)) return true;
  if (PrintWindow(window, target, PW_CLIENTONLY)) return true;
  HDC screen = GetDC(window);
  if (!screen) return false;
  const bool copied = BitBlt(target, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
  ReleaseDC(window, screen);
  return copied;
}

// Draws the visible children of `parent`, and theirs, over the picture of `captured`'s client
// area, bottom of the z-order first. A window's own picture need not hold its children
// (Wine's does not); where it does, they are drawn again the same.
void DrawChildrenInto(HWND captured, HWND parent, HDC target) {
  HWND child = GetWindow(parent, GW_CHILD);
  if (!child) return;
  for (child = GetWindow(child, GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT frame{};
    GetWindowRect(child, &frame);
    POINT origin{frame.left, frame.top};
    ScreenToClient(captured, &origin);
    POINT previous{};
    SetViewportOrgEx(target, origin.x, origin.y, &previous);
    PrintWindow(child, target, 0);
    SetViewportOrgEx(target, previous.x, previous.y, nullptr);
    DrawChildrenInto(captured, child, target);
  }
}

}  // namespace

WindowPicture DrawWindowPicture(HWND window) {
  RECT client{};
  if (!GetClientRect(window, &client)) return {};
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  DibSection picture(width, height);
  if (!picture.ok() || !DrawWindowInto(window, picture.dc(), width, height)) return {};
  DrawChildrenInto(window, window, picture.dc());
  GdiFlush();
  WindowPicture result{width, height, {}};
  result.argb.assign(picture.pixels(), picture.pixels() + static_cast<size_t>(width) * height);
  // GDI leaves the alpha byte as it was: a window's picture is opaque.
  for (uint32_t& pixel : result.argb) pixel |= 0xFF000000u;
  return result;
}

}  // namespace setup
