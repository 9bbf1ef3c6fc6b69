#include "platform/code_page.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(CodePageTest, Windows1252RoundTripsEveryByte) {
  CodePage page;
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(page.FromUtf8(page.ToUtf8(all)), all);
  EXPECT_EQ(page.ToUtf8("\x80 \xDC"
                        "bungen \x9F"),
            "\xE2\x82\xAC \xC3\x9C"
            "bungen \xC5\xB8");
}

TEST(CodePageTest, UnmappableAndInvalidUtf8BecomeQuestionMarks) {
  CodePage page;
  EXPECT_EQ(page.FromUtf8("a\xE2\x84\xA6z"), "a?z");  // Ohm sign: not in 1252
  EXPECT_EQ(page.FromUtf8("a\xFF\xC3z"), "a??z");     // invalid bytes
  EXPECT_EQ(page.FromUtf8("\xC0\xAF"), "??");         // overlong '/'
  EXPECT_EQ(page.FromUtf8("\xE2\x82"), "??");         // truncated sequence
}

TEST(CodePageTest, CasesFollowTheCodePage) {
  CodePage page;
  struct Case {
    char lower;
    char upper;
  } cases[] = {{'a', 'A'}, {'\xFC', '\xDC'}, {'\x9A', '\x8A'}, {'\xFF', '\x9F'}};
  for (const auto& c : cases) {
    EXPECT_EQ(page.Upper(std::string(1, c.lower)), std::string(1, c.upper))
        << int(static_cast<unsigned char>(c.lower));
    EXPECT_EQ(page.Lower(std::string(1, c.upper)), std::string(1, c.lower))
        << int(static_cast<unsigned char>(c.upper));
  }
  EXPECT_EQ(page.Upper("\xDF"), "\xDF");  // sharp s has no single upper-case letter
  EXPECT_EQ(page.Upper("\xB5"), "\xB5");  // micro's capital is not in 1252
  EXPECT_TRUE(
      page.EqualsNoCase("\xFC"
                        "BUNGEN",
                        "\xDC"
                        "bungen"));
  EXPECT_FALSE(page.EqualsNoCase("abc", "ab"));
}

TEST(CodePageTest, LoadsOtherSingleByteCodePages) {
  auto cyrillic = CodePage::Load(1251);
  ASSERT_TRUE(cyrillic.ok()) << cyrillic.status().ToString();
  EXPECT_EQ(cyrillic->number(), 1251);
  EXPECT_EQ(cyrillic->ToUtf8("\xC0"), "\xD0\x90");  // CYRILLIC CAPITAL A
  EXPECT_EQ(cyrillic->Lower("\xC0"), "\xE0");
}

TEST(CodePageTest, RejectsUnknownAndMultiByteCodePages) {
  for (int number : {0, -5, 99999, 12345, 65001, 1361}) {
    auto page = CodePage::Load(number);
    EXPECT_FALSE(page.ok()) << number;
    if (!page.ok()) {
      EXPECT_EQ(page.status().win_error(), WinError::InvalidParameter);
    }
  }
}

}  // namespace
}  // namespace setup
