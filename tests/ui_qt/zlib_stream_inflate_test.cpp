#include <gtest/gtest.h>

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/framework/zlib_stream.h"

namespace setup {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Deterministic bytes without repeats worth finding.
std::vector<uint8_t> Noise(size_t size) {
  std::vector<uint8_t> data(size);
  uint32_t state = 12345;
  for (uint8_t& byte : data) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<uint8_t>(state >> 16);
  }
  return data;
}

// A block of noise, then the same block again after `gap` other bytes: a repeat exactly
// `block + gap` bytes back.
std::vector<uint8_t> RepeatAfter(size_t block, size_t gap) {
  std::vector<uint8_t> data = Noise(block);
  std::vector<uint8_t> filler(gap, 0xAB);
  std::vector<uint8_t> again = data;
  data.insert(data.end(), filler.begin(), filler.end());
  data.insert(data.end(), again.begin(), again.end());
  return data;
}

// Inflated by zlib itself (through Qt), which checks the header and the Adler-32 too.
TEST(ZlibStreamInflateTest, ZlibInflatesEveryStreamToItsData) {
  struct Case {
    const char* name;
    std::vector<uint8_t> data;
  };
  const Case cases[] = {
      {"empty", {}},
      {"a long run", std::vector<uint8_t>(100000, 'a')},
      {"runs of 258 and 259", Bytes(std::string(258, 'x') + "y" + std::string(259, 'z'))},
      {"noise", Noise(70000)},
      {"repeat at the window's far end", RepeatAfter(300, 32768 - 300)},
      {"repeat just beyond the window", RepeatAfter(300, 32769 - 300)},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> stream = ZlibCompress(c.data);
    // qUncompress wants the data's size in front, big-endian.
    QByteArray input;
    const uint32_t size = static_cast<uint32_t>(c.data.size());
    for (int shift = 24; shift >= 0; shift -= 8) input.append(static_cast<char>(size >> shift));
    input.append(reinterpret_cast<const char*>(stream.data()),
                 static_cast<qsizetype>(stream.size()));
    QByteArray output = qUncompress(input);
    EXPECT_EQ(std::vector<uint8_t>(output.begin(), output.end()), c.data) << c.name;
  }
}

}  // namespace
}  // namespace setup
