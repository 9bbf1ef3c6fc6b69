#include "platform/wildcard_match.h"

#include <string>

namespace setup {

namespace {

// Walks both texts a character at a time: '?' stands for one character, which is two bytes
// in a double-byte code page, and a second byte is only ever compared as part of its pair.
bool Matches(std::string_view pattern, std::string_view name, const CodePage& code_page) {
  size_t p = 0;
  size_t n = 0;
  size_t star = std::string_view::npos;
  size_t star_name = 0;
  while (n < name.size()) {
    const size_t name_size = code_page.CharSize(name, n);
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
      continue;
    }
    if (p < pattern.size()) {
      const size_t pattern_size = code_page.CharSize(pattern, p);
      if (pattern[p] == '?' ||
          code_page.EqualsNoCase(pattern.substr(p, pattern_size), name.substr(n, name_size))) {
        p += pattern_size;
        n += name_size;
        continue;
      }
    }
    if (star == std::string_view::npos) return false;
    p = star + 1;
    star_name += code_page.CharSize(name, star_name);
    n = star_name;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name, const CodePage& code_page) {
  // The patterns of a whole listing, decided without a copy of each name that has no dot.
  if (pattern == "*") return true;
  if (pattern == "*.*") return !name.empty();
  if (Matches(pattern, name, code_page)) return true;
  if (name.find('.') != std::string_view::npos || name.empty()) return false;
  return Matches(pattern, std::string(name) + ".", code_page);
}

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

}  // namespace setup
