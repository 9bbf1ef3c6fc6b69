#include "ui/framework/zlib_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace setup {
namespace {

// A window picture is mostly flat colour: its stream is a small part of its size. (zlib
// itself inflates the streams in the Qt tests.)
TEST(ZlibStreamTest, FlatPicturesShrink) {
  std::vector<uint8_t> grey_rows;
  for (int row = 0; row < 400; ++row) {
    grey_rows.push_back(0);  // the row's filter byte
    for (int x = 0; x < 600; ++x) grey_rows.insert(grey_rows.end(), {0xC0, 0xC0, 0xC0});
  }
  std::vector<uint8_t> stream = ZlibCompress(grey_rows);
  EXPECT_LT(stream.size(), grey_rows.size() / 50);
  // The zlib header, and the data's Adler-32 at the end.
  ASSERT_GE(stream.size(), 6u);
  EXPECT_EQ(stream[0], 0x78);
  EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0);
}

}  // namespace
}  // namespace setup
