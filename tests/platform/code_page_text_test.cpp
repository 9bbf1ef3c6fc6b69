#include "platform/code_page_text.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"

namespace setup {
namespace {

constexpr size_t NONE = std::string_view::npos;

TEST(CodePageTextTest, SecondBytesAreNeverFound) {
  const CodePage shift_jis = testing::LoadedCodePage(932);
  const CodePage hangul = testing::LoadedCodePage(949);
  const CodePage ansi;
  struct Case {
    const CodePage* page;
    std::string text;
    char wanted;
    size_t first;
    size_t last;
    bool ends_with;
  } cases[] = {
      {&shift_jis, "C:\\\x95\x5C", '\\', 2, 2, false},
      {&shift_jis, "\x95\x5C\\", '\\', 2, 2, true},
      {&shift_jis, "\x83\x5C\x94\x5C", '\\', NONE, NONE, false},
      {&ansi, "C:\\\x95\x5C", '\\', 2, 4, true},
      {&hangul, "\x81\x61_a", 'a', 3, 3, true},
      {&hangul, "x\x81\x61", 'a', NONE, NONE, false},
      {&shift_jis, "", '\\', NONE, NONE, false},
  };
  for (const auto& c : cases) {
    const std::string wanted(1, c.wanted);
    EXPECT_EQ(FindCharacter(*c.page, c.text, c.wanted), c.first) << c.text;
    EXPECT_EQ(FindLastCharacter(*c.page, c.text, wanted), c.last) << c.text;
    EXPECT_EQ(EndsWithCharacter(*c.page, c.text, c.wanted), c.ends_with) << c.text;
  }
}

TEST(CodePageTextTest, FindsFromACharacterAndAnyOfSeveral) {
  const CodePage page = testing::LoadedCodePage(932);
  const std::string text = "a_\x95\x5F_b/c";
  EXPECT_EQ(FindCharacter(page, text, '_', 2), 4u);
  EXPECT_EQ(FindLastCharacter(page, text, "\\/"), 6u);
}

}  // namespace
}  // namespace setup
