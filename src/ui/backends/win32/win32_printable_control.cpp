#include "ui/backends/win32/win32_printable_control.h"

#include <commctrl.h>

namespace setup {

namespace {

constexpr UINT_PTR PRINT_SUBCLASS = 1;
// What a group box leaves undrawn: no control draws in this colour.
constexpr COLORREF SEE_THROUGH = RGB(255, 0, 254);

void DrawBorder(HWND control, HDC dc, const RECT& frame) {
  if (GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    RECT edge = frame;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  } else if (GetWindowLongW(control, GWL_STYLE) & WS_BORDER) {
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
}

void Print(HWND control, HDC dc, LPARAM flags, bool group_box) {
  RECT frame{};
  GetWindowRect(control, &frame);
  POINT client{0, 0};
  MapWindowPoints(control, HWND_DESKTOP, &client, 1);
  client.x -= frame.left;
  client.y -= frame.top;
  OffsetRect(&frame, -frame.left, -frame.top);
  if (flags & PRF_NONCLIENT) DrawBorder(control, dc, frame);
  RECT inside{};
  GetClientRect(control, &inside);
  if (!(flags & PRF_CLIENT) || inside.right <= 0 || inside.bottom <= 0) return;
  HDC picture = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, inside.right, inside.bottom);
  if (picture != nullptr && bitmap != nullptr) {
    HGDIOBJ old = SelectObject(picture, bitmap);
    HBRUSH background = group_box ? CreateSolidBrush(SEE_THROUGH) : GetSysColorBrush(COLOR_3DFACE);
    FillRect(picture, &inside, background);
    if (group_box) DeleteObject(background);
    DefSubclassProc(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture),
                    PRF_CLIENT | PRF_ERASEBKGND);
    if (group_box) {
      GdiTransparentBlt(dc, client.x, client.y, inside.right, inside.bottom, picture, 0, 0,
                        inside.right, inside.bottom, SEE_THROUGH);
    } else {
      BitBlt(dc, client.x, client.y, inside.right, inside.bottom, picture, 0, 0, SRCCOPY);
    }
    SelectObject(picture, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (picture != nullptr) DeleteDC(picture);
}

LRESULT CALLBACK PrintProc(HWND control, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                           DWORD_PTR group_box) {
  switch (message) {
    case WM_PRINT:
      Print(control, reinterpret_cast<HDC>(wparam), lparam, group_box != 0);
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, &PrintProc, PRINT_SUBCLASS);
      break;
    default:
      break;
  }
  return DefSubclassProc(control, message, wparam, lparam);
}

}  // namespace

void MakePrintable(HWND control, bool group_box) {
  SetWindowSubclass(control, &PrintProc, PRINT_SUBCLASS, group_box ? 1 : 0);
}

}  // namespace setup
