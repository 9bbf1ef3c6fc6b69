#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(WildcardMatchTest, MatchesAsTheOriginalSystem) {
  CodePage page;
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.*", "README", true},
      {"*.*", "a.b.c", true},
      {"*", "x", true},
      {"*.txt", "A.TXT", true},
      {"*.txt", "a.txt.bak", false},
      {"?.txt", "ab.txt", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"*.", "README", true},
      {"*.", "a.b", false},
      {"*a*b", "xxaxxb", true},
      {"*a*b", "xxaxxbx", false},
      {"\xDC*",
       "\xFC"
       "bungen",
       true},
      {"READ*.*", "readme", true},
      {"x", "", false},
      {"*.*", "", false},
      {"*.*", ".", true},
      {"*.*", "..", true},
      {"*.*", "a.", true},
      {"*", "", true},
      {"*", "..", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name, page), c.matches) << c.pattern << " " << c.name;
  }
}

}  // namespace
}  // namespace setup
