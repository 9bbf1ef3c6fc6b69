#include "install/fit_path_to_width.h"

namespace setup {

std::string FitPathToWidth(const TextWidthFn& measure, const std::string& text, int width) {
  if (width < 10 || text.empty()) return "";
  if (measure(text) <= width) return text;
  if (text.size() < 3) return "";
  std::string shown = text;
  size_t middle = shown.size() / 2;
  // For three characters the middle is 1, so the dots always lie inside the text.
  shown.replace(middle - 1, 3, "...");
  while (measure(shown) > width) {
    size_t dots = shown.find("...");
    bool removed = false;
    if (dots + 3 < shown.size()) {
      shown.erase(dots + 3, 1);
      removed = true;
    }
    if (dots > 0) {
      shown.erase(dots - 1, 1);
      removed = true;
    }
    if (!removed) break;
  }
  return shown;
}

std::string FitPathToWidth(const Control& field, const std::string& text, int width) {
  return FitPathToWidth([&field](const std::string& s) { return field.MeasureText(s).cx; }, text,
                        width);
}

}  // namespace setup
