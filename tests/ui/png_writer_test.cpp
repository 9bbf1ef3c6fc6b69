#include "ui/framework/png_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace setup {
namespace {

TEST(PngWriterTest, RefusesSizesNoPngCanHold) {
  const uint32_t pixel = 0xFF000000u;
  struct Case {
    int width;
    int height;
  };
  const Case cases[] = {{0, 1}, {1, 0}, {-1, 5}, {5, -1}, {INT_MAX, 1}, {1 << 16, 1 << 16}};
  for (const Case& c : cases)
    EXPECT_TRUE(EncodePng(c.width, c.height, &pixel).empty()) << c.width << "x" << c.height;
  EXPECT_TRUE(EncodePng(1, 1, nullptr).empty());
}

// The parts every reader checks first: the signature, the header's size and colour type,
// and the closing IEND chunk with its well-known CRC-32.
TEST(PngWriterTest, WritesSignatureHeaderAndEnd) {
  struct Case {
    uint32_t pixel;
    uint8_t colour_type;
  };
  const Case cases[] = {{0xFF102030u, 2}, {0x80102030u, 6}, {0x00000000u, 6}};
  for (const Case& c : cases) {
    std::vector<uint32_t> pixels(6, 0xFFFFFFFFu);
    pixels[4] = c.pixel;
    std::vector<uint8_t> png = EncodePng(3, 2, pixels.data());
    ASSERT_GT(png.size(), 45u);
    const std::vector<uint8_t> start(png.begin(), png.begin() + 29);
    const std::vector<uint8_t> expected_start = {
        0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',          0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0,
        0,    3,   0,   0,   0,    2,    8,    c.colour_type, 0, 0, 0};
    EXPECT_EQ(start, expected_start);
    const std::vector<uint8_t> end(png.end() - 12, png.end());
    const std::vector<uint8_t> expected_end = {0,   0,   0,    0,    'I',  'E',
                                               'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    EXPECT_EQ(end, expected_end);
  }
}

}  // namespace
}  // namespace setup
