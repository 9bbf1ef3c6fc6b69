#include "ui/backends/win32/win32_client_paint.h"

#include "ui/backends/win32/win32_canvas.h"
#include "ui/backends/win32/win32_dib_section.h"

namespace setup {

namespace {

void ExcludeVisibleChildren(HWND window, HDC dc) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT frame{};
    GetWindowRect(child, &frame);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&frame), 2);
    ExcludeClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
  }
}

void DrawBuffered(HWND window, HDC target, const CodePage& code_page, const PaintRoutine& paint) {
  RECT client{};
  GetClientRect(window, &client);
  const Size size{client.right, client.bottom};
  // A dialog's own font (none for a plain window) is what DialogFont() means there.
  HFONT dialog_font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  DibSection buffer(size.cx, size.cy);
  if (!buffer.ok()) {
    // Without the memory for a copy, straight on the window: flicker rather than nothing.
    Win32Canvas canvas(target, size, code_page, dialog_font);
    paint(canvas);
    return;
  }
  FillRect(buffer.dc(), &client, GetSysColorBrush(COLOR_3DFACE));
  {
    Win32Canvas canvas(buffer.dc(), size, code_page, dialog_font);
    paint(canvas);
  }
  BitBlt(target, 0, 0, size.cx, size.cy, buffer.dc(), 0, 0, SRCCOPY);
}

}  // namespace

void PaintClientArea(HWND window, const CodePage& code_page, const PaintRoutine& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (!dc) return;
  ExcludeVisibleChildren(window, dc);
  DrawBuffered(window, dc, code_page, paint);
  EndPaint(window, &ps);
}

void PrintClientArea(HWND window, HDC dc, const CodePage& code_page, const PaintRoutine& paint) {
  DrawBuffered(window, dc, code_page, paint);
}

}  // namespace setup
