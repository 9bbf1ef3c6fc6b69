// Window pictures: a real window, drawn into a PNG of its client area.

#include "ui/backends/win32/win32_screenshots.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace setup {
namespace {

constexpr COLORREF WINDOW_COLOUR = RGB(0xC0, 0x10, 0x20);
constexpr COLORREF CHILD_COLOUR = RGB(0x20, 0x40, 0xE0);

// A window painted in one colour, the same on the screen and in a picture.
template <COLORREF colour>
LRESULT CALLBACK SolidWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto paint = [window](HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
  };
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      paint(BeginPaint(window, &ps));
      EndPaint(window, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void RegisterSolidClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = name;
  RegisterClassW(&window_class);
}

// A framed, captioned window whose client area is `client` and one colour.
class ColouredWindow {
 public:
  explicit ColouredWindow(SIZE client) {
    RegisterSolidClass(L"SetupScreenshotTest", SolidWindowProc<WINDOW_COLOUR>);
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    handle_ = CreateWindowW(L"SetupScreenshotTest", L"Test", WS_OVERLAPPEDWINDOW, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  }
  ~ColouredWindow() {
    if (handle_) DestroyWindow(handle_);
  }
  HWND handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint8_t>(bytes[at + 3]);
}

TEST(Win32ScreenshotsTest, OffUntilADirectoryIsSet) {
  Win32Screenshots shots;
  EXPECT_FALSE(shots.enabled());
  ColouredWindow window(SIZE{40, 30});
  EXPECT_EQ(shots.Capture(window.handle(), "CWelcomeDlg"), "");
}

TEST(Win32ScreenshotsTest, SavesTheClientAreaNumberedByKindIntoANewDirectory) {
  testing::TempDir temp;
  Win32Screenshots shots;
  shots.SetDirectory(temp.Join("shots\\run"));
  ColouredWindow window(SIZE{160, 90});
  ASSERT_NE(window.handle(), nullptr);
  ShowWindow(window.handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(window.handle());

  EXPECT_EQ(shots.Capture(window.handle(), "CBackdropDlg"),
            temp.Join("shots\\run") + "\\001-CBackdropDlg.png");
  EXPECT_EQ(shots.Capture(window.handle(), "CWelcomeDlg"),
            temp.Join("shots\\run") + "\\002-CWelcomeDlg.png");

  const std::string png = temp.ReadFile("shots/run/002-CWelcomeDlg.png");
  ASSERT_GT(png.size(), 33u) << png;
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian32(png, 16), 160u);
  EXPECT_EQ(BigEndian32(png, 20), 90u);
  // The window's own paint, opaque: RGB pixels of its colour.
  EXPECT_EQ(png[25], 2);
  EXPECT_NE(png.find("\xC0\x10\x20\xC0\x10\x20"), std::string::npos);
}

TEST(Win32ScreenshotsTest, ChildWindowsAreInThePicture) {
  testing::TempDir temp;
  Win32Screenshots shots;
  shots.SetDirectory(temp.path());
  ColouredWindow window(SIZE{160, 90});
  ASSERT_NE(window.handle(), nullptr);
  RegisterSolidClass(L"SetupScreenshotChild", SolidWindowProc<CHILD_COLOUR>);
  HWND child = CreateWindowW(L"SetupScreenshotChild", L"", WS_CHILD | WS_VISIBLE, 10, 10, 40, 20,
                             window.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  ShowWindow(window.handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(window.handle());
  std::string path = shots.Capture(window.handle(), "CWelcomeDlg");
  ASSERT_NE(path, "");
  const std::string png = temp.ReadFile("001-CWelcomeDlg.png");
  EXPECT_NE(png.find("\xC0\x10\x20\xC0\x10\x20"), std::string::npos);
  EXPECT_NE(png.find("\x20\x40\xE0\x20\x40\xE0"), std::string::npos);
}

}  // namespace
}  // namespace setup
