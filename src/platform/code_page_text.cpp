#include "platform/code_page_text.h"

namespace setup {

size_t FindCharacter(const CodePage& code_page, std::string_view text, char c, size_t from) {
  for (size_t i = from; i < text.size(); i += code_page.CharSize(text, i)) {
    if (text[i] == c) return i;
  }
  return std::string_view::npos;
}

size_t FindLastCharacter(const CodePage& code_page, std::string_view text,
                         std::string_view any_of) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < text.size(); i += code_page.CharSize(text, i)) {
    if (any_of.find(text[i]) != std::string_view::npos) last = i;
  }
  return last;
}

size_t CharacterStartBefore(const CodePage& code_page, std::string_view text, size_t pos) {
  size_t start = 0;
  for (size_t i = 0; i < pos; i += code_page.CharSize(text, i)) start = i;
  return start;
}

bool EndsWithCharacter(const CodePage& code_page, std::string_view text, char c) {
  if (text.empty()) return false;
  const size_t last = CharacterStartBefore(code_page, text, text.size());
  return last == text.size() - 1 && text[last] == c;
}

std::vector<std::string> SplitCharacters(const CodePage& code_page, std::string_view text) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < text.size(); i += code_page.CharSize(text, i)) {
    characters.emplace_back(text.substr(i, code_page.CharSize(text, i)));
  }
  return characters;
}

std::string WithTrailingBackslash(const CodePage& code_page, std::string path) {
  if (!EndsWithCharacter(code_page, path, '\\')) path.push_back('\\');
  return path;
}

}  // namespace setup
