// A real window's picture: its client area, its own paint and its child windows.

#include "ui/backends/win32/win32_window_picture.h"

#include <gtest/gtest.h>

#include "solid_window.h"

namespace setup {
namespace {

using testing::RegisterWindowClass;
using testing::SolidWindowProc;
using testing::TestWindow;

constexpr COLORREF WINDOW_COLOUR = RGB(0xC0, 0x10, 0x20);
constexpr COLORREF CHILD_COLOUR = RGB(0x20, 0x40, 0xE0);

uint32_t OpaquePixel(COLORREF colour) {
  return 0xFF000000u | static_cast<uint32_t>(GetRValue(colour)) << 16 |
         static_cast<uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

class Win32WindowPictureTest : public ::testing::Test {
 protected:
  Win32WindowPictureTest() {
    RegisterWindowClass(L"SetupPictureWindow", SolidWindowProc<WINDOW_COLOUR>);
    RegisterWindowClass(L"SetupPictureChild", SolidWindowProc<CHILD_COLOUR>);
  }
};

TEST_F(Win32WindowPictureTest, IsTheClientAreaAsTheWindowPaintsIt) {
  TestWindow window(L"SetupPictureWindow", SIZE{160, 90});
  ASSERT_NE(window.handle(), nullptr);
  ASSERT_NE(window.AddChild(L"SetupPictureChild", RECT{10, 20, 50, 40}), nullptr);
  window.Show();
  WindowPicture picture = DrawWindowPicture(window.handle());
  ASSERT_EQ(picture.width, 160);
  ASSERT_EQ(picture.height, 90);
  ASSERT_EQ(picture.argb.size(), 160u * 90u);
  auto at = [&](int x, int y) { return picture.argb[y * 160 + x]; };
  EXPECT_EQ(at(0, 0), OpaquePixel(WINDOW_COLOUR));
  EXPECT_EQ(at(159, 89), OpaquePixel(WINDOW_COLOUR));
  EXPECT_EQ(at(10, 20), OpaquePixel(CHILD_COLOUR));
  EXPECT_EQ(at(49, 39), OpaquePixel(CHILD_COLOUR));
  EXPECT_EQ(at(50, 40), OpaquePixel(WINDOW_COLOUR));
}

TEST_F(Win32WindowPictureTest, HiddenChildWindowsAreLeftOut) {
  TestWindow window(L"SetupPictureWindow", SIZE{160, 90});
  HWND child = window.AddChild(L"SetupPictureChild", RECT{0, 0, 30, 20});
  ASSERT_NE(child, nullptr);
  ShowWindow(child, SW_HIDE);
  window.Show();
  WindowPicture picture = DrawWindowPicture(window.handle());
  ASSERT_EQ(picture.argb.size(), 160u * 90u);
  EXPECT_EQ(picture.argb[0], OpaquePixel(WINDOW_COLOUR));
}

}  // namespace
}  // namespace setup
