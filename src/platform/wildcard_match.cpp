#include "platform/wildcard_match.h"

#include <string>

namespace setup {

namespace {

bool Matches(std::string_view pattern, std::string_view name, const CodePage& code_page) {
  size_t p = 0;
  size_t n = 0;
  size_t star = std::string_view::npos;
  size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || code_page.ToUpper(pattern[p]) == code_page.ToUpper(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
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
