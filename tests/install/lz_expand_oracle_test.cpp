// The decoder against other SZDD implementations: Debian's mscompress and libmspack, which
// the Linux build has and the Windows build does not.
#include <gtest/gtest.h>
#include <mspack.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "lz_test_streams.h"
#include "support/generated_data.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::CompressibleData;
using testing::Expand;
using testing::Expanded;
using testing::Header;
using testing::RandomBytes;
using testing::TempDir;
using testing::WHOLE;

// Compresses `data` with Debian's mscompress (which names its result after the input with
// a trailing underscore).
std::string Mscompress(const TempDir& dir, const std::string& name, const std::string& data) {
  const std::string command = "mscompress '" + dir.WriteFile(name, data) + "'";
  if (std::system(command.c_str()) != 0) return {};
  return dir.ReadFile(name + "_");
}

// libmspack's expansion of `compressed`, the reference the decoder is measured against.
std::string MspackExpand(const TempDir& dir, const std::string& compressed) {
  const std::string in = dir.WriteFile("oracle.in", compressed);
  msszdd_decompressor* szdd = mspack_create_szdd_decompressor(nullptr);
  const int error = szdd->decompress(szdd, in.c_str(), dir.Join("oracle.out").c_str());
  mspack_destroy_szdd_decompressor(szdd);
  EXPECT_EQ(error, MSPACK_ERR_OK);
  return dir.ReadFile("oracle.out");
}

bool HaveMscompress() { return std::system("command -v mscompress >/dev/null 2>&1") == 0; }

class LzExpandMscompressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveMscompress()) {
      GTEST_SKIP() << "mscompress is not installed";
    }
  }
  TempDir dir_;
};

TEST_F(LzExpandMscompressTest, RoundTripsThroughMscompress) {
  // mscompress itself mangles inputs shorter than 16 bytes, so none are made here.
  const std::vector<std::pair<std::string, std::string>> inputs = {
      {"sixteen", "0123456789abcdef"},         {"window_edge", CompressibleData(4097, 4)},
      {"random", RandomBytes(70000, 5)},       {"zeros", std::string(1200000, '\0')},
      {"large", CompressibleData(1500000, 6)},
  };
  for (const auto& [name, data] : inputs) {
    const std::string compressed = Mscompress(dir_, name, data);
    ASSERT_GE(compressed.size(), 14u) << name;
    ASSERT_EQ(compressed[8], 'A') << name;
    for (size_t chunk : {WHOLE, size_t{4093}}) {
      Expanded result = Expand(compressed, chunk);
      EXPECT_TRUE(result.status.ok()) << name << ": " << result.status.message();
      EXPECT_TRUE(result.output == data) << name << " chunk " << chunk;
    }
  }
}

// Random streams with every offset and length, checked against libmspack.
TEST(LzExpandOracleTest, MatchesLibmspackOnRandomStreams) {
  TempDir dir;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    std::mt19937 rng(seed);
    std::string body;
    uint64_t length = 0;
    const size_t groups = 1 + rng() % 2000;
    for (size_t g = 0; g < groups; ++g) {
      const unsigned flags = seed % 4 == 0 ? rng() & 0xFF : (rng() & rng()) & 0xFF;
      body += static_cast<char>(flags);
      for (int item = 0; item < 8; ++item) {
        if (flags & (1u << item)) {
          body += static_cast<char>(rng());
          length += 1;
        } else {
          const unsigned b1 = rng() & 0xFF;
          body += static_cast<char>(rng());
          body += static_cast<char>(b1);
          length += (b1 & 0x0F) + 3;
        }
      }
    }
    const std::string stream = Header(static_cast<uint32_t>(length)) + body;
    const std::string expected = MspackExpand(dir, stream);
    ASSERT_EQ(expected.size(), length) << "seed " << seed;
    Expanded result = Expand(stream, seed % 2 == 0 ? WHOLE : 997);
    EXPECT_TRUE(result.status.ok()) << "seed " << seed << ": " << result.status.message();
    EXPECT_TRUE(result.output == expected) << "seed " << seed;
  }
}

}  // namespace
}  // namespace setup
