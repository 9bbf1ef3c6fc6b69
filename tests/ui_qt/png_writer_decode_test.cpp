#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <vector>

#include "ui/framework/png_writer.h"

namespace setup {
namespace {

// A picture whose every pixel differs from its neighbours, so a shifted row or a swapped
// channel shows.
std::vector<uint32_t> Pattern(int width, int height, bool with_alpha) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t alpha = with_alpha ? static_cast<uint32_t>((x * 7 + y * 13) % 256) : 0xFF;
      uint32_t rgb = static_cast<uint32_t>(x * 2654435761u + y * 40503u) & 0xFFFFFFu;
      pixels.push_back(alpha << 24 | rgb);
    }
  }
  return pixels;
}

// Decoded by Qt's own PNG reader, which checks the chunks' CRC-32 and the stream's Adler-32.
TEST(PngWriterDecodeTest, QtReadsBackEveryPixel) {
  struct Case {
    int width;
    int height;
    bool with_alpha;
  };
  const Case cases[] = {
      {1, 1, false},
      {1, 1, true},
      // Rows longer than deflate's 32 KiB window, in both colour types.
      {22000, 3, false},
      {16400, 2, true},
      {300, 300, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " alpha " << c.with_alpha);
    std::vector<uint32_t> pixels = Pattern(c.width, c.height, c.with_alpha);
    std::vector<uint8_t> png = EncodePng(c.width, c.height, pixels.data());
    QImage image;
    ASSERT_TRUE(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
    ASSERT_EQ(image.width(), c.width);
    ASSERT_EQ(image.height(), c.height);
    EXPECT_EQ(image.hasAlphaChannel(), c.with_alpha);
    image = image.convertToFormat(QImage::Format_ARGB32);
    int mismatches = 0;
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x)
        if (image.pixel(x, y) != pixels[static_cast<size_t>(y) * c.width + x]) ++mismatches;
    EXPECT_EQ(mismatches, 0);
  }
}

}  // namespace
}  // namespace setup
