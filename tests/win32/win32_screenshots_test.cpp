// Window pictures as PNG files, numbered and named by kind.

#include "ui/backends/win32/win32_screenshots.h"

#include <gtest/gtest.h>

#include <string>

#include "solid_window.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::RegisterWindowClass;
using testing::SolidWindowProc;
using testing::TestWindow;

constexpr COLORREF WINDOW_COLOUR = RGB(0xC0, 0x10, 0x20);

class Win32ScreenshotsTest : public ::testing::Test {
 protected:
  Win32ScreenshotsTest() {
    RegisterWindowClass(L"SetupShotWindow", SolidWindowProc<WINDOW_COLOUR>);
  }

  testing::TempDir temp_;
  Win32Screenshots shots_;
};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
         static_cast<uint8_t>(bytes[at + 3]);
}

TEST_F(Win32ScreenshotsTest, OffUntilADirectoryIsSet) {
  EXPECT_FALSE(shots_.enabled());
  TestWindow window(L"SetupShotWindow", SIZE{40, 30});
  ASSERT_NE(window.handle(), nullptr);
  EXPECT_EQ(shots_.Capture(window.handle(), "CWelcomeDlg"), "");
}

TEST_F(Win32ScreenshotsTest, SavesTheClientAreaNumberedByKindIntoANewDirectory) {
  shots_.SetDirectory(temp_.Join("shots\\run"));
  TestWindow window(L"SetupShotWindow", SIZE{160, 90});
  ASSERT_NE(window.handle(), nullptr);
  window.Show();

  EXPECT_EQ(shots_.Capture(window.handle(), "CBackdropDlg"),
            temp_.Join("shots\\run") + "\\001-CBackdropDlg.png");
  EXPECT_EQ(shots_.Capture(window.handle(), "CWelcomeDlg"),
            temp_.Join("shots\\run") + "\\002-CWelcomeDlg.png");

  const std::string png = temp_.ReadFile("shots/run/002-CWelcomeDlg.png");
  ASSERT_GT(png.size(), 33u) << png;
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian32(png, 16), 160u);
  EXPECT_EQ(BigEndian32(png, 20), 90u);
  EXPECT_EQ(png[25], 2);  // RGB: a window's picture is opaque
}

}  // namespace
}  // namespace setup
