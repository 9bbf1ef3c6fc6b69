#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"

namespace setup {
namespace {

// The usual patterns are matched through FindFiles in the contract suite; here the edges.
TEST(WildcardMatchTest, MatchesAsTheOriginalSystem) {
  CodePage page;
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "a.b.c", true},
      {"*.txt", "a.txt.bak", false},
      {"?.txt", "ab.txt", false},
      {"a?c", "ac", false},
      {"*.", "a.b", false},
      {"*a*b", "xxaxxb", true},
      {"*a*b", "xxaxxbx", false},
      {"\xDC*",
       "\xFC"
       "bungen",
       true},
      {"x", "", false},
      {"*.*", "", false},
      {"*.*", ".", true},
      {"*.*", "..", true},
      {"*.*", "a.", true},
      {"*", "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, page), c.matches) << c.pattern << " " << c.name;
  }
}

// In Shift-JIS '?' is one character of one or two bytes, and a second byte is compared only
// with its lead byte: 0x5C is no backslash, 'a' (0x61) not the letter.
TEST(WildcardMatchTest, DoubleByteCharactersAreWhole) {
  const CodePage page = testing::LoadedCodePage(932);
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"?.txt", "\x95\x5C.txt", true},
      {"??.txt", "\x95\x5C.txt", false},
      {"\x95\x5C*",
       "\x95\x5C"
       "abc",
       true},
      {"*\x5C", "\x95\x5C", false},
      {"*\x5Cx", "\x95\x5Cx", false},
      {"\x83\x61", "\x83\x41", false},
      {"\x83\x61?", "\x83\x61Z", true},
      {"*\x94\x5C.TXT", "\x83\x5C\x94\x5C.txt", true},
      {"?\x5C", "\x95\x5C", false},
      {"*?", "\x95", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, page), c.matches) << c.pattern << " " << c.name;
  }
}

}  // namespace
}  // namespace setup
