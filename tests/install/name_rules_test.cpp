#include <gtest/gtest.h>

#include "install/fit_path_to_width.h"
#include "install/underscores_to_spaces.h"
#include "support/loaded_code_page.h"

namespace setup {
namespace {

TEST(UnderscoresToSpacesTest, FollowsTheNameRule) {
  const struct {
    const char* name;
    const char* expected;
  } cases[] = {
      {"READ_ME.TXT", "Read Me.txt"},
      {"_INTRO.DOC", " Intro.doc"},
      {"MY__FILE", "My  File"},
      {"TRAILING_", "Trailing "},
      {"", ""},
      // Lower-casing follows the code page; upper-casing only touches a to z.
      {"\xDC"
       "BUNG_\xC4RGER",
       "\xFC"
       "bung \xE4rger"},
  };
  CodePage cp1252;
  for (const auto& c : cases) EXPECT_EQ(UnderscoresToSpaces(c.name, cp1252), c.expected) << c.name;
}

// In Shift-JIS a second byte is neither an underscore (0x815F is '＼') nor a letter (0x8361 is
// 'ヂ'), and '表' (0x95 0x5C) stays whole.
TEST(UnderscoresToSpacesTest, DoubleByteCharactersStayWhole) {
  const struct {
    std::string name;
    std::string expected;
  } cases[] = {
      {"\x81\x5F"
       "AB_CD",
       "\x81\x5F"
       "ab Cd"},
      {"X_\x83\x61_Y", "X \x83\x61 Y"},
      {"\x83\x61\x83\x41.TXT", "\x83\x61\x83\x41.txt"},
      {"READ_\x95\x5C.TXT", "Read \x95\x5C.txt"},
      {"_\x95", " \x95"},
  };
  const CodePage shift_jis = testing::LoadedCodePage(932);
  for (const auto& c : cases) {
    EXPECT_EQ(UnderscoresToSpaces(c.name, shift_jis), c.expected) << c.name;
  }
}

// One pixel per character.
int Width(const std::string& text) { return static_cast<int>(text.size()); }

TEST(FitPathToWidthTest, ShortensInTheMiddle) {
  const struct {
    std::string text;
    int width;
    std::string expected;
  } cases[] = {
      {"C:\\Short", 9, ""},
      {"", 40, ""},
      {"0123456789ABCDEFGHIJ", 20, "0123456789ABCDEFGHIJ"},
      // Three dots in the middle, then one character after and one before per pass.
      {"0123456789ABCDEFGHIJ", 19, "01234567...DEFGHIJ"},
      // An earlier "..." is where the shortening goes on.
      {"C:\\...\\Books\\Quillby Reader\\Chapter One", 30, "...\\Quill...Reader\\Chapter One"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitPathToWidth(Width, c.text, c.width, CodePage()), c.expected)
        << c.text << " in " << c.width;
  }
}

// Shift-JIS '表' (0x95 0x5C) and 'ソ' (0x83 0x5C) are one character each: never cut in two.
TEST(FitPathToWidthTest, TwoByteCharactersAreShortenedWhole) {
  // Two pixels a character.
  auto characters = [](const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      count += 2;
      if (static_cast<unsigned char>(text[i]) >= 0x81) ++i;
    }
    return count;
  };
  const std::string path = "C:\\\x95\x5C\x83\x5C\x95\x5C\x83\x5C\x95\x5C\x83\x5C";
  const CodePage shift_jis = testing::LoadedCodePage(932);
  EXPECT_EQ(FitPathToWidth(characters, path, 18, shift_jis), path);
  EXPECT_EQ(FitPathToWidth(characters, path, 16, shift_jis), "C:...\x95\x5C\x83\x5C");
  EXPECT_EQ(FitPathToWidth(characters, path, 12, shift_jis), "C...\x83\x5C");
}

TEST(FitPathToWidthTest, TextsTooShortToShortenEnd) {
  auto wide = [](const std::string& text) { return 10 * static_cast<int>(text.size()); };
  EXPECT_EQ(FitPathToWidth(wide, "abc", 10, CodePage()), "...");
  EXPECT_EQ(FitPathToWidth(wide, "ab", 10, CodePage()), "");
  EXPECT_EQ(FitPathToWidth(wide, "abcd", 10, CodePage()), "...");
}

TEST(FitPathToWidthTest, LongPathsEndAndFit) {
  std::string path = "C:\\" + std::string(5000, 'x') + "\\END";
  std::string shown = FitPathToWidth(Width, path, 300, CodePage());
  EXPECT_LE(shown.size(), 300u);
  EXPECT_EQ(shown.substr(0, 3), "C:\\");
  EXPECT_EQ(shown.substr(shown.size() - 4), "\\END");
  EXPECT_NE(shown.find("..."), std::string::npos);
}

}  // namespace
}  // namespace setup
