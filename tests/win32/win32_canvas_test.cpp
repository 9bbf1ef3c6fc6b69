// The GDI canvas, drawing into a memory DC: where its paint lands and what it measures.

#include "ui/backends/win32/win32_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "ui/backends/win32/win32_dib_section.h"

namespace setup {
namespace {

constexpr uint32_t WHITE = 0xFFFFFF;

// A white memory picture with a canvas on it.
class Win32CanvasTest : public ::testing::Test {
 protected:
  static constexpr int WIDTH = 200;
  static constexpr int HEIGHT = 80;

  Win32CanvasTest()
      : picture_(WIDTH, HEIGHT), canvas_(picture_.dc(), Size{WIDTH, HEIGHT}, code_page_) {
    canvas_.FillRect(Rect{0, 0, WIDTH, HEIGHT}, Rgb{255, 255, 255});
  }

  uint32_t PixelAt(int x, int y) {
    GdiFlush();
    return picture_.pixels()[y * WIDTH + x] & 0xFFFFFF;
  }

  // The smallest rectangle holding every pixel that is not white; empty when none.
  Rect Painted() {
    Rect box{WIDTH, HEIGHT, 0, 0};
    for (int y = 0; y < HEIGHT; ++y) {
      for (int x = 0; x < WIDTH; ++x) {
        if (PixelAt(x, y) == WHITE) continue;
        box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
      }
    }
    return box.left < box.right ? box : Rect{};
  }

  CodePage code_page_;
  DibSection picture_;
  Win32Canvas canvas_;
};

TEST_F(Win32CanvasTest, FillsExactlyTheRectangleInItsColour) {
  ASSERT_TRUE(picture_.ok());
  canvas_.FillRect(Rect{10, 20, 30, 25}, Rgb{0x12, 0x34, 0x56});
  EXPECT_EQ(Painted(), (Rect{10, 20, 30, 25}));
  EXPECT_EQ(PixelAt(10, 20), 0x123456u);
  EXPECT_EQ(PixelAt(29, 24), 0x123456u);
}

TEST_F(Win32CanvasTest, TextIsPaintedFromItsTopLeftCornerWithinItsMeasure) {
  const Font fonts[] = {DialogFont(), Font{"Arial", 28, 400, true}, Font{"Arial", 10, 700, false}};
  for (const Font& font : fonts) {
    SCOPED_TRACE(font.face + " " + std::to_string(font.height));
    canvas_.FillRect(Rect{0, 0, WIDTH, HEIGHT}, Rgb{255, 255, 255});
    const std::string text = "Setup Wg";
    Size size = canvas_.MeasureText(text, font);
    EXPECT_GT(size.cx, 0);
    EXPECT_GE(size.cy, font.height);
    canvas_.PaintText(Point{20, 10}, text, font, Rgb{0, 0, 0});
    Rect painted = Painted();
    ASSERT_LT(painted.left, painted.right) << "nothing painted";
    EXPECT_GE(painted.left, 20);
    EXPECT_GE(painted.top, 10);
    EXPECT_LE(painted.right, 20 + size.cx + 1);
    EXPECT_LE(painted.bottom, 10 + size.cy);
  }
}

TEST_F(Win32CanvasTest, TextLeavesTheBackgroundAsItWas) {
  canvas_.FillRect(Rect{0, 0, WIDTH, HEIGHT}, Rgb{0, 0, 200});
  canvas_.PaintText(Point{4, 4}, "Backdrop", Font{"Arial", 28, 400, true}, Rgb{255, 255, 255});
  int background = 0;
  int text = 0;
  for (int y = 0; y < HEIGHT; ++y) {
    for (int x = 0; x < WIDTH; ++x) {
      uint32_t pixel = PixelAt(x, y);
      background += pixel == 0x0000C8u;
      text += pixel == WHITE;
    }
  }
  EXPECT_GT(text, 0);
  EXPECT_GT(background, WIDTH * HEIGHT / 2);
}

TEST_F(Win32CanvasTest, MeasuresTextInTheCanvasFont) {
  const Font font = DialogFont();
  EXPECT_EQ(canvas_.MeasureText("", font).cx, 0);
  EXPECT_LT(canvas_.MeasureText("ii", font).cx, canvas_.MeasureText("iiii", font).cx);
  EXPECT_LT(canvas_.MeasureText("WWW", font).cx, canvas_.MeasureText("WWW", Font{"Arial", 30}).cx);
  EXPECT_LT(canvas_.MeasureText("WWW", font).cy, canvas_.MeasureText("WWW", Font{"Arial", 30}).cy);
  EXPECT_EQ(canvas_.ClientSize().cx, WIDTH);
  EXPECT_EQ(canvas_.ClientSize().cy, HEIGHT);
}

TEST_F(Win32CanvasTest, TheDialogFontIsTheDialogsOwnWhenGiven) {
  LOGFONTW large{};
  large.lfHeight = -30;
  std::copy_n(L"Arial", 6, large.lfFaceName);
  HFONT dialog_font = CreateFontIndirectW(&large);
  ASSERT_NE(dialog_font, nullptr);
  {
    Win32Canvas with_dialog_font(picture_.dc(), Size{WIDTH, HEIGHT}, code_page_, dialog_font);
    EXPECT_EQ(with_dialog_font.MeasureText("Wg", DialogFont()).cx,
              with_dialog_font.MeasureText("Wg", Font{"Arial", 30}).cx);
    EXPECT_GT(with_dialog_font.MeasureText("Wg", DialogFont()).cx,
              canvas_.MeasureText("Wg", DialogFont()).cx);
    // Other fonts are the canvas's own.
    EXPECT_EQ(with_dialog_font.MeasureText("Wg", Font{"Arial", 10}).cx,
              canvas_.MeasureText("Wg", Font{"Arial", 10}).cx);
  }
  // Still the caller's to delete: the canvas left it alone.
  EXPECT_TRUE(DeleteObject(dialog_font));
}

TEST_F(Win32CanvasTest, IconsArePaintedInTheirSquare) {
  canvas_.DrawIcon(Point{50, 30}, ICON_WARNING);
  Rect painted = Painted();
  ASSERT_LT(painted.left, painted.right);
  EXPECT_GE(painted.left, 50);
  EXPECT_GE(painted.top, 30);
  EXPECT_LE(painted.right, 50 + ICON_SIZE);
  EXPECT_LE(painted.bottom, 30 + ICON_SIZE);
}

}  // namespace
}  // namespace setup
