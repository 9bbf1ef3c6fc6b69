#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/code_page.h"
#include "platform/host_code_page.h"
#include "support/loaded_code_page.h"

namespace setup {
namespace {

using testing::LoadedCodePage;

// The written lead bytes against what the host's converter does with each byte alone: a byte
// it takes only as the first of two is a lead byte, one it takes as a character is not, and
// the bytes it refuses are exactly the known ones (user-defined rows are lead bytes).
TEST(DoubleByteCodePageTest, LeadBytesAgreeWithTheHostConverter) {
  struct Case {
    int number;
    std::set<int> refused_lead_bytes;
    std::set<int> refused_single_bytes;
  } cases[] = {
      {932, {}, {0x80, 0xA0, 0xFD, 0xFE, 0xFF}},
      {936, {}, {0xFF}},
  };
  for (const auto& c : cases) {
    const CodePage page = LoadedCodePage(c.number);
    auto host = HostCodePageTable(c.number);
    ASSERT_TRUE(host.ok()) << c.number;
    for (int b = 0; b < 256; ++b) {
      const bool lead = page.IsLeadByte(static_cast<char>(b));
      if (host->starts_pair[b]) {
        EXPECT_TRUE(lead) << c.number << " byte " << b;
      } else if (!host->undefined[b]) {
        EXPECT_FALSE(lead) << c.number << " byte " << b;
      } else {
        EXPECT_EQ(lead, c.refused_lead_bytes.count(b) == 1) << c.number << " byte " << b;
        EXPECT_EQ(!lead, c.refused_single_bytes.count(b) == 1) << c.number << " byte " << b;
      }
    }
  }
}

TEST(DoubleByteCodePageTest, ConvertsBothWays) {
  struct Case {
    int number;
    std::string ansi;
    std::string utf8;
  } cases[] = {
      // '表', 'ソ', '能': each with 0x5C as its second byte.
      {932, "\x95\x5C\\\x83\x5C\x94\x5C.txt", "表\\ソ能.txt"},
      {932, "\xB1\xB2 ab", "ｱｲ ab"},  // half-width katakana are single bytes
      {936, "\x81\x5C", "乗"},
      {949, "\x81\x61", "갵"},  // a second byte in 'a'..'z'
      {950, "\xA5\x5C", "功"},
  };
  for (const auto& c : cases) {
    const CodePage page = LoadedCodePage(c.number);
    EXPECT_EQ(page.ToUtf8(c.ansi), c.utf8) << c.number << " " << c.utf8;
    EXPECT_EQ(page.FromUtf8(c.utf8), c.ansi) << c.number << " " << c.utf8;
  }
}

TEST(DoubleByteCodePageTest, BrokenTextBecomesReplacementsOrQuestionMarks) {
  const CodePage page = LoadedCodePage(932);
  EXPECT_EQ(page.ToUtf8("ab\x95"), "ab\xEF\xBF\xBD");  // a lead byte at the end
  EXPECT_EQ(page.ToUtf8("\x85\x40z"),
            "\xEF\xBF\xBD"
            "z");                                     // a pair the code page lacks
  EXPECT_EQ(page.FromUtf8("a\xEA\xB0\x80z"), "a?z");  // Hangul is not in Shift-JIS
  EXPECT_EQ(page.FromUtf8("\xC3"), "?");
}

TEST(DoubleByteCodePageTest, CharactersAreOneOrTwoBytes) {
  const CodePage page = LoadedCodePage(932);
  const std::string text = "a\x95\x5C\xB1\x95";
  EXPECT_EQ(page.CharSize(text, 0), 1u);
  EXPECT_EQ(page.CharSize(text, 1), 2u);
  EXPECT_EQ(page.CharSize(text, 3), 1u);  // half-width katakana
  EXPECT_EQ(page.CharSize(text, 4), 1u);  // a lead byte at the end stands alone
  EXPECT_EQ(CodePage().CharSize(text, 1), 1u);
}

// Only single-byte letters change case; a second byte that looks like a letter stays.
TEST(DoubleByteCodePageTest, CasesOnlyTheSingleByteLetters) {
  struct Case {
    int number;
    std::string text;
    std::string upper;
    std::string lower;
  } cases[] = {
      {932, "\x83\x61x\x83\x41X", "\x83\x61X\x83\x41X", "\x83\x61x\x83\x41x"},
      {936, "\x81\x5C\x81\x61q", "\x81\x5C\x81\x61Q", "\x81\x5C\x81\x61q"},
      {949,
       "\x81\x61\x81\x41"
       "e",
       "\x81\x61\x81\x41"
       "E",
       "\x81\x61\x81\x41"
       "e"},
      {950, "\xA5\x5C\xA4\x61k", "\xA5\x5C\xA4\x61K", "\xA5\x5C\xA4\x61k"},
  };
  for (const auto& c : cases) {
    const CodePage page = LoadedCodePage(c.number);
    EXPECT_EQ(page.Upper(c.text), c.upper) << c.number;
    EXPECT_EQ(page.Lower(c.text), c.lower) << c.number;
  }
}

TEST(DoubleByteCodePageTest, ComparesPairsExactlyAndLettersWithoutCase) {
  const CodePage page = LoadedCodePage(932);
  struct Case {
    std::string a;
    std::string b;
    bool equal;
  } cases[] = {
      {"readme\x95\x5C.TXT", "README\x95\x5C.txt", true},
      {"\x83\x61", "\x83\x41", false},  // second bytes that differ only in case
      {"\x95\x5C", "\x95\\", true},
      {"a\x95", "A\x95", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(page.EqualsNoCase(c.a, c.b), c.equal) << c.a << " " << c.b;
  }
}

}  // namespace
}  // namespace setup
