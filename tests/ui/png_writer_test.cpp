#include "ui/framework/png_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

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

}  // namespace
}  // namespace setup
