// Our own GDI pictures: icons, the browse tree's images and the check-box glyph.

#include "ui/backends/win32/win32_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "ui/backends/win32/win32_dib_section.h"
#include "ui/framework/canvas.h"

namespace setup {
namespace {

constexpr uint32_t BACKGROUND = 0x00FF00;  // a green no picture uses

std::vector<uint32_t> Pixels(DibSection& picture) {
  GdiFlush();
  std::vector<uint32_t> pixels(picture.pixels(),
                               picture.pixels() + picture.width() * picture.height());
  for (uint32_t& pixel : pixels) pixel &= 0xFFFFFF;
  return pixels;
}

// `draw` on a green picture; the pixels afterwards.
template <typename Draw>
std::vector<uint32_t> DrawnOnGreen(int width, int height, Draw draw) {
  DibSection picture(width, height);
  EXPECT_TRUE(picture.ok());
  for (int i = 0; i < width * height; ++i) picture.pixels()[i] = BACKGROUND;
  draw(picture.dc());
  return Pixels(picture);
}

int CountPainted(const std::vector<uint32_t>& pixels) {
  int painted = 0;
  for (uint32_t pixel : pixels) painted += pixel != BACKGROUND;
  return painted;
}

const int KNOWN_ICONS[] = {ICON_APPLICATION, ICON_SETUP, ICON_REPLACE, ICON_INFORMATION,
                           ICON_WARNING,     ICON_ERROR, ICON_QUESTION};

TEST(Win32ImagesTest, IconsAreSquaresTransparentAroundTheirPicture) {
  for (int side : {16, 32, 48}) {
    for (int icon : KNOWN_ICONS) {
      SCOPED_TRACE(testing::Message() << "icon " << icon << " side " << side);
      HICON handle = CreateIconImage(icon, side);
      ASSERT_NE(handle, nullptr);
      ICONINFO parts{};
      ASSERT_TRUE(GetIconInfo(handle, &parts));
      BITMAP colour{};
      GetObjectW(parts.hbmColor, sizeof colour, &colour);
      EXPECT_EQ(colour.bmWidth, side);
      EXPECT_EQ(colour.bmHeight, side);
      DeleteObject(parts.hbmColor);
      DeleteObject(parts.hbmMask);
      // Drawn through the system, the corner shows the background and the middle does not.
      std::vector<uint32_t> pixels = DrawnOnGreen(side, side, [&](HDC dc) {
        DrawIconEx(dc, 0, 0, handle, side, side, 0, nullptr, DI_NORMAL);
      });
      EXPECT_EQ(pixels[0], BACKGROUND);
      EXPECT_NE(pixels[(side / 2) * side + side / 2], BACKGROUND);
      DestroyIcon(handle);
    }
  }
}

TEST(Win32ImagesTest, IconsDrawnStraightMatchTheIconsMade) {
  for (int icon : KNOWN_ICONS) {
    SCOPED_TRACE(testing::Message() << "icon " << icon);
    HICON handle = CreateIconImage(icon, ICON_SIZE);
    std::vector<uint32_t> through_icon = DrawnOnGreen(ICON_SIZE, ICON_SIZE, [&](HDC dc) {
      DrawIconEx(dc, 0, 0, handle, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
    });
    DestroyIcon(handle);
    std::vector<uint32_t> straight = DrawnOnGreen(
        ICON_SIZE, ICON_SIZE, [&](HDC dc) { DrawIconImage(dc, 0, 0, icon, ICON_SIZE); });
    EXPECT_EQ(through_icon, straight);
  }
}

TEST(Win32ImagesTest, UnknownIconsAreNotMadeNorDrawn) {
  for (int icon : {0, 1, 129, -1}) {
    EXPECT_EQ(CreateIconImage(icon, ICON_SIZE), nullptr) << icon;
    EXPECT_EQ(CountPainted(DrawnOnGreen(ICON_SIZE, ICON_SIZE,
                                        [&](HDC dc) { DrawIconImage(dc, 0, 0, icon, ICON_SIZE); })),
              0)
        << icon;
  }
  EXPECT_EQ(CreateIconImage(ICON_WARNING, 0), nullptr);
}

TEST(Win32ImagesTest, TreeHasFiveDistinctImagesOf16By15) {
  HIMAGELIST list = CreateTreeImageList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 5);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &width, &height));
  EXPECT_EQ(width, 16);
  EXPECT_EQ(height, 15);
  std::set<std::vector<uint32_t>> distinct;
  for (int index = 0; index < 5; ++index) {
    std::vector<uint32_t> pixels = DrawnOnGreen(
        16, 15, [&](HDC dc) { ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT); });
    EXPECT_GT(CountPainted(pixels), 16) << "image " << index;
    EXPECT_EQ(pixels[0], BACKGROUND) << "image " << index;
    distinct.insert(pixels);
  }
  EXPECT_EQ(distinct.size(), 5u);
  ImageList_Destroy(list);
}

TEST(Win32ImagesTest, CheckGlyphShowsItsStateWithinItsBox) {
  EXPECT_EQ(CheckGlyphWidth(), 11);
  const Rect box{4, 3, 4 + CheckGlyphWidth(), 3 + CheckGlyphWidth()};
  std::set<std::vector<uint32_t>> distinct;
  for (bool checked : {false, true}) {
    for (bool enabled : {false, true}) {
      std::vector<uint32_t> pixels =
          DrawnOnGreen(20, 20, [&](HDC dc) { DrawCheckGlyph(dc, box, checked, enabled); });
      int outside = 0;
      for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
          outside += !box.Contains(Point{x, y}) && pixels[y * 20 + x] != BACKGROUND;
      EXPECT_EQ(outside, 0);
      EXPECT_GT(CountPainted(pixels), 0);
      distinct.insert(pixels);
    }
  }
  EXPECT_EQ(distinct.size(), 4u);
}

}  // namespace
}  // namespace setup
