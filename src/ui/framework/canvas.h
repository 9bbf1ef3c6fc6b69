#pragma once

#include <string>

#include "ui/framework/geometry.h"

namespace setup {

// A font as the dialogs ask for it. `height` is the character height in pixels.
struct Font {
  std::string face = "MS Sans Serif";
  int height = 13;
  int weight = 400;
  bool italic = false;
};

// Icon resources the dialogs show.
inline constexpr int ICON_APPLICATION = 128;
inline constexpr int ICON_REPLACE = 112;
inline constexpr int ICON_INFORMATION = 31234;
inline constexpr int ICON_SETUP = 110;
// Stand-ins for the message-box icons.
inline constexpr int ICON_WARNING = 32515;
inline constexpr int ICON_ERROR = 32513;
inline constexpr int ICON_QUESTION = 32514;
inline constexpr int ICON_SIZE = 32;

// What a paint routine draws on: a window's client area. Texts are in the disc's code page;
// the backend converts them for display. Text is drawn with a transparent background, its
// top-left corner at the given point.
class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual Size ClientSize() const = 0;
  virtual void FillRect(const Rect& rect, Rgb colour) = 0;
  virtual void PaintText(Point at, const std::string& text, const Font& font, Rgb colour) = 0;
  virtual void DrawIcon(Point at, int icon) = 0;
  virtual Size MeasureText(const std::string& text, const Font& font) const = 0;
};

}  // namespace setup

namespace setup {

// The system colours the owner-drawn controls use.
inline constexpr Rgb SYSCOLOR_WINDOW{255, 255, 255};
inline constexpr Rgb SYSCOLOR_WINDOWTEXT{0, 0, 0};
inline constexpr Rgb SYSCOLOR_HIGHLIGHT{0, 0, 128};
inline constexpr Rgb SYSCOLOR_HIGHLIGHTTEXT{255, 255, 255};

// The dialog font ("MS Sans Serif" 8 pt) as the dialogs draw with it.
inline Font DialogFont() { return Font{}; }

}  // namespace setup
