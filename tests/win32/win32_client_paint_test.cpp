// A paint routine on a real window: off screen first, then onto the window or its picture.

#include "ui/backends/win32/win32_client_paint.h"

#include <gtest/gtest.h>

#include "solid_window.h"
#include "ui/backends/win32/win32_dib_section.h"

namespace setup {
namespace {

using testing::RegisterWindowClass;
using testing::SolidWindowProc;
using testing::TestWindow;

constexpr COLORREF CHILD_COLOUR = RGB(0x20, 0x40, 0xE0);
constexpr Rgb RED{0xC0, 0x10, 0x20};

// A DIB pixel (0x00RRGGBB) of a colour.
uint32_t Pixel(COLORREF colour) {
  return static_cast<uint32_t>(GetRValue(colour)) << 16 |
         static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}
uint32_t Pixel(Rgb colour) { return Pixel(RGB(colour.r, colour.g, colour.b)); }

// The routine a window paints with, kept in the window's user data.
LRESULT CALLBACK RoutineWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* routine = reinterpret_cast<PaintRoutine*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  CodePage code_page;
  if (routine && message == WM_PAINT) {
    PaintClientArea(window, code_page, *routine);
    return 0;
  }
  if (routine && message == WM_PRINTCLIENT) {
    PrintClientArea(window, reinterpret_cast<HDC>(wparam), code_page, *routine);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

class Win32ClientPaintTest : public ::testing::Test {
 protected:
  static constexpr int WIDTH = 120;
  static constexpr int HEIGHT = 60;

  Win32ClientPaintTest() : window_(ClassName(), SIZE{WIDTH, HEIGHT}) {
    SetWindowLongPtrW(window_.handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&routine_));
  }

  static const wchar_t* ClassName() {
    RegisterWindowClass(L"SetupRoutineWindow", RoutineWindowProc);
    RegisterWindowClass(L"SetupRoutineChild", SolidWindowProc<CHILD_COLOUR>);
    return L"SetupRoutineWindow";
  }

  PaintRoutine routine_;
  TestWindow window_;
};

TEST_F(Win32ClientPaintTest, PictureIsTheRoutineOnTheDialogBackground) {
  ASSERT_NE(window_.handle(), nullptr);
  Size client;
  routine_ = [&](Canvas& canvas) {
    client = canvas.ClientSize();
    canvas.FillRect(Rect{10, 10, 50, 30}, RED);
  };
  DibSection picture(WIDTH, HEIGHT);
  ASSERT_TRUE(picture.ok());
  SendMessageW(window_.handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.dc()),
               PRF_CLIENT);
  GdiFlush();
  EXPECT_EQ(client.cx, WIDTH);
  EXPECT_EQ(client.cy, HEIGHT);
  auto at = [&](int x, int y) { return picture.pixels()[y * WIDTH + x] & 0xFFFFFF; };
  EXPECT_EQ(at(10, 10), Pixel(RED));
  EXPECT_EQ(at(49, 29), Pixel(RED));
  EXPECT_EQ(at(50, 30), Pixel(GetSysColor(COLOR_3DFACE)));
  EXPECT_EQ(at(WIDTH - 1, HEIGHT - 1), Pixel(GetSysColor(COLOR_3DFACE)));
}

// Only the window is repainted, not its child: the picture must not cover the child.
TEST_F(Win32ClientPaintTest, PaintingLeavesTheChildWindowsAlone) {
  ASSERT_NE(window_.handle(), nullptr);
  routine_ = [](Canvas& canvas) {
    Size size = canvas.ClientSize();
    canvas.FillRect(Rect{0, 0, size.cx, size.cy}, RED);
  };
  ASSERT_NE(window_.AddChild(L"SetupRoutineChild", RECT{60, 10, 100, 50}), nullptr);
  window_.Show();
  RedrawWindow(window_.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);

  DibSection screen(WIDTH, HEIGHT);
  ASSERT_TRUE(screen.ok());
  HDC window_dc = GetDC(window_.handle());
  BitBlt(screen.dc(), 0, 0, WIDTH, HEIGHT, window_dc, 0, 0, SRCCOPY);
  ReleaseDC(window_.handle(), window_dc);
  GdiFlush();
  auto at = [&](int x, int y) { return screen.pixels()[y * WIDTH + x] & 0xFFFFFF; };
  EXPECT_EQ(at(5, 5), Pixel(RED));
  EXPECT_EQ(at(70, 20), Pixel(CHILD_COLOUR));
}

}  // namespace
}  // namespace setup
