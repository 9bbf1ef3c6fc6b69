#include "install/lz_expand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "install_fixture.h"
#include "lz_test_streams.h"
#include "support/generated_data.h"
#include "support/memory_file_system.h"
#include "support/memory_files.h"

namespace setup {
namespace {

using testing::CompressibleData;
using testing::Expand;
using testing::Expanded;
using testing::Header;
using testing::RandomBytes;
using testing::WHOLE;

std::string Bytes(std::initializer_list<unsigned> bytes) {
  std::string s;
  for (unsigned b : bytes) s += static_cast<char>(b);
  return s;
}

// 4096 distinct-ish literals in flag groups of eight.
std::string LiteralGroups(const std::string& data) {
  std::string s;
  for (size_t i = 0; i < data.size(); i += 8) {
    s += '\xFF';
    s += data.substr(i, 8);
  }
  return s;
}

struct ValidCase {
  const char* name;
  std::string stream;
  std::string expected;
};

TEST(LzExpandTest, ExpandsHandMadeStreams) {
  std::string block(4096, '\0');
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i % 251);
  const std::vector<ValidCase> cases = {
      {"empty", Header(0), ""},
      {"literals",
       Header(3) + "\x07"
                   "abc",
       "abc"},
      {"match into the initial spaces", Header(3) + Bytes({0x00, 0x00, 0x00}), "   "},
      {"overlapping run from the start position", Header(19) + Bytes({0x01, 'a', 0xF0, 0xFF}),
       std::string(19, 'a')},
      // After 4096 bytes the ring is back at its start position: that offset names the byte
      // written 4096 bytes ago, not the one about to be written.
      {"offset at the current position reaches a full window back",
       Header(4099) + LiteralGroups(block) + Bytes({0x00, 0xF0, 0xF0}), block + block.substr(0, 3)},
      {"match mixed with literals", Header(8) + Bytes({0x0B, 'x', 'y', 0xF0, 0xF2, 'z'}),
       "xyxyxyxz"},
      {"flag byte with no items after a full group",
       Header(8) +
           "\xFF"
           "abcdefgh" +
           std::string(1, '\0'),
       "abcdefgh"},
  };
  for (const ValidCase& c : cases) {
    for (size_t chunk : {WHOLE, size_t{1}, size_t{5}}) {
      Expanded result = Expand(c.stream, chunk);
      EXPECT_TRUE(result.status.ok()) << c.name << ": " << result.status.message();
      EXPECT_EQ(result.output, c.expected) << c.name << " chunk " << chunk;
    }
  }
}

TEST(LzExpandTest, CopiesOtherFilesUnchanged) {
  const std::vector<std::string> inputs = {
      "",
      "SZDD",
      std::string("SZDD\x88\xF0\x27", 7),
      std::string("SZDD\x88\xF0\x27\x34", 8) + "A\0\3\0\0\0abc",
      std::string("KWAJ\x88\xF0\x27\xD1", 8) + RandomBytes(100, 1),
      "plain text\r\n",
      RandomBytes(3 << 20, 2),  // crosses the read buffer several times
  };
  for (const std::string& input : inputs) {
    for (size_t chunk : {WHOLE, size_t{3}, size_t{70001}}) {
      if (chunk == 3 && input.size() > 100000) continue;
      Expanded result = Expand(input, chunk);
      EXPECT_TRUE(result.status.ok()) << result.status.message();
      EXPECT_TRUE(result.output == input) << "size " << input.size() << " chunk " << chunk;
    }
  }
}

struct BadCase {
  const char* name;
  std::string stream;
  WinError error;
};

TEST(LzExpandTest, RejectsDamagedStreams) {
  const std::string full_group = Header(8) +
                                 "\xFF"
                                 "abcdefgh";
  const std::vector<BadCase> cases = {
      {"header cut inside the length", Header(5).substr(0, 11), WinError::HandleEof},
      {"magic and nothing else", Header(5).substr(0, 8), WinError::HandleEof},
      {"unknown mode",
       Header(3, 'B') + "\x07"
                        "abc",
       WinError::InvalidData},
      {"no data at all", Header(3), WinError::HandleEof},
      {"half a match", Header(3) + Bytes({0x00, 0x00}), WinError::HandleEof},
      {"fewer bytes than announced",
       Header(5) + "\x07"
                   "abc",
       WinError::HandleEof},
      {"length field too large",
       Header(0xFFFFFFFF) + "\xFF"
                            "abcdefgh",
       WinError::HandleEof},
      {"length field too small",
       Header(2) + "\x07"
                   "abc",
       WinError::InvalidData},
      {"match past the length", Header(2) + Bytes({0x00, 0x00, 0x00}), WinError::InvalidData},
      {"literal after the length",
       full_group + "\x01"
                    "x",
       WinError::InvalidData},
      {"garbage after a full stream", full_group + "\x12\x34\x56", WinError::InvalidData},
      {"half a match after a full stream", full_group + Bytes({0x00, 0x34}), WinError::HandleEof},
  };
  for (const BadCase& c : cases) {
    for (size_t chunk : {WHOLE, size_t{1}}) {
      Expanded result = Expand(c.stream, chunk);
      EXPECT_FALSE(result.status.ok()) << c.name;
      EXPECT_EQ(result.status.win_error(), c.error) << c.name << ": " << result.status.message();
      EXPECT_EQ(result.status.path(), "A:\\FILE.TX_") << c.name;
    }
  }
}

// The expanding copy through the file system: the destination gets a complete result or
// nothing.
class LzExpandFileTest : public ::testing::Test {
 protected:
  LzExpandFileTest() { fs_.AddDrive('C', DriveType::Fixed); }

  // The names on the drive, to catch anything left behind.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    auto found = fs_.FindFiles("C:\\*");
    if (found.ok()) {
      for (const FindData& entry : *found) names.push_back(entry.name);
    }
    return names;
  }

  testing::MemoryFileSystem fs_;
};

TEST_F(LzExpandFileTest, FailedExpansionLeavesNoHalfWrittenFile) {
  const std::string text = CompressibleData(200000, 10);
  const std::string valid = Header(static_cast<uint32_t>(text.size())) + LiteralGroups(text);
  const std::vector<std::pair<const char*, std::string>> sources = {
      {"cut short", valid.substr(0, valid.size() / 2)},
      {"garbage after the stream", valid + "\x01xyz"},
      {"length too small", Header(1000) + LiteralGroups(text)},
  };
  for (const auto& [name, data] : sources) {
    for (bool existing : {false, true}) {
      fs_.AddFile("C:\\SRC.BI_", data);
      if (existing) fs_.AddFile("C:\\DEST.BIN", "earlier contents");
      const Status status = ExpandFile(fs_, "C:\\SRC.BI_", "C:\\DEST.BIN");
      EXPECT_FALSE(status.ok()) << name;
      EXPECT_EQ(status.path(), "C:\\SRC.BI_") << name;
      if (existing) {
        EXPECT_EQ(fs_.Contents("C:\\DEST.BIN"), "earlier contents") << name;
        EXPECT_EQ(Names(), (std::vector<std::string>{"DEST.BIN", "SRC.BI_"})) << name;
      } else {
        EXPECT_EQ(Names(), std::vector<std::string>{"SRC.BI_"}) << name;
      }
      fs_.Remove("C:\\DEST.BIN");
    }
  }
}

TEST_F(LzExpandFileTest, MissingSourceCreatesNothing) {
  EXPECT_EQ(ExpandFile(fs_, "C:\\NONE.TX_", "C:\\NONE.TXT").win_error(), WinError::FileNotFound);
  EXPECT_TRUE(Names().empty());
}

TEST_F(LzExpandFileTest, MediumGoneOrDiskFullKeepsTheEarlierFile) {
  const std::string text = CompressibleData(3 << 20, 11);
  fs_.AddFile("C:\\SRC.BI_", Header(static_cast<uint32_t>(text.size())) + LiteralGroups(text));
  fs_.AddFile("C:\\PLAIN.BIN", text);
  for (bool fail_reads : {true, false}) {
    testing::FaultyFileSystem failing(&fs_);
    if (fail_reads) {
      failing.medium_gone_at = "C:\\";
      failing.read_limit = 1 << 20;
    } else {
      failing.disk_full_at = "DEST";
      failing.write_limit = 100000;
    }
    for (const char* source : {"C:\\SRC.BI_", "C:\\PLAIN.BIN"}) {
      fs_.AddFile("C:\\DEST.BIN", "earlier contents");
      const Status status = ExpandFile(failing, source, "C:\\DEST.BIN");
      EXPECT_EQ(status.win_error(), fail_reads ? WinError::NotReady : WinError::DiskFull) << source;
      EXPECT_EQ(fs_.Contents("C:\\DEST.BIN"), "earlier contents") << source;
      EXPECT_EQ(Names(), (std::vector<std::string>{"DEST.BIN", "PLAIN.BIN", "SRC.BI_"}));
    }
  }
}

}  // namespace
}  // namespace setup
