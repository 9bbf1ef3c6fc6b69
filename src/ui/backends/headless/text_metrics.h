#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

#include "ui/framework/canvas.h"

namespace setup {

// Deterministic text metrics for the headless backend: every character of a font is one
// cell, height × 6 / 13 pixels wide (6 for the 13-pixel dialog font), as high as the font.
inline int CharWidth(const Font& font) { return std::max(1, std::abs(font.height) * 6 / 13); }

inline Size MeasureHeadlessText(const std::string& text, const Font& font) {
  return Size{static_cast<int>(text.size()) * CharWidth(font), std::abs(font.height)};
}

}  // namespace setup
