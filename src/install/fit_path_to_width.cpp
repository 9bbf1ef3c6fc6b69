#include "install/fit_path_to_width.h"

#include <vector>

#include "platform/code_page_text.h"

namespace setup {

namespace {

std::string Joined(const std::vector<std::string>& characters) {
  std::string text;
  for (const std::string& character : characters) text += character;
  return text;
}

size_t FirstDots(const std::vector<std::string>& characters) {
  size_t at = 0;
  while (at + 2 < characters.size() &&
         !(characters[at] == "." && characters[at + 1] == "." && characters[at + 2] == ".")) {
    ++at;
  }
  return at;
}

}  // namespace

std::string FitPathToWidth(const TextWidthFn& measure, const std::string& text, int width,
                           const CodePage& code_page) {
  if (width < 10 || text.empty()) return "";
  if (measure(text) <= width) return text;
  // Shortened a character at a time, so that no two-byte character is ever cut in two.
  std::vector<std::string> characters = SplitCharacters(code_page, text);
  if (characters.size() < 3) return "";
  const size_t middle = characters.size() / 2;
  // For three characters the middle is 1, so the dots always lie inside the text.
  for (size_t i = middle - 1; i <= middle + 1; ++i) characters[i].assign(1, '.');
  std::string shown = Joined(characters);
  while (measure(shown) > width) {
    const size_t dots = FirstDots(characters);
    bool removed = false;
    if (dots + 3 < characters.size()) {
      characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(dots + 3));
      removed = true;
    }
    if (dots > 0) {
      characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(dots - 1));
      removed = true;
    }
    if (!removed) break;
    shown = Joined(characters);
  }
  return shown;
}

std::string FitPathToWidth(const Control& field, const std::string& text, int width,
                           const CodePage& code_page) {
  return FitPathToWidth([&field](const std::string& s) { return field.MeasureText(s).cx; }, text,
                        width, code_page);
}

}  // namespace setup
