#include "ui/backends/headless/image_canvas.h"

#include <algorithm>

#include "ui/backends/headless/text_metrics.h"

namespace setup {

ImageCanvas::ImageCanvas(Image& image, Point origin, Size client)
    : image_(image), origin_(origin), client_(client) {}

void ImageCanvas::FillRect(const Rect& rect, Rgb colour) {
  int left = std::max({rect.left, 0}) + origin_.x;
  int top = std::max({rect.top, 0}) + origin_.y;
  int right = std::min(rect.right, client_.cx) + origin_.x;
  int bottom = std::min(rect.bottom, client_.cy) + origin_.y;
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image_.width);
  bottom = std::min(bottom, image_.height);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) image_.pixels[size_t(y) * image_.width + x] = colour;
  }
}

void ImageCanvas::PaintText(Point at, const std::string& text, const Font& font, Rgb colour) {
  int advance = CharWidth(font);
  int height = std::abs(font.height);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ') continue;
    int x = at.x + static_cast<int>(i) * advance;
    FillRect(Rect{x, at.y, x + std::max(1, advance - 1), at.y + height}, colour);
  }
}

void ImageCanvas::DrawIcon(Point at, int icon) {
  FillRect(Rect{at.x, at.y, at.x + ICON_SIZE, at.y + ICON_SIZE}, IconColour(icon));
}

Size ImageCanvas::MeasureText(const std::string& text, const Font& font) const {
  return MeasureHeadlessText(text, font);
}

Rgb ImageCanvas::IconColour(int icon) {
  auto v = static_cast<unsigned>(icon);
  return Rgb{static_cast<uint8_t>(64 + v % 128), static_cast<uint8_t>(200),
             static_cast<uint8_t>(v % 61)};
}

}  // namespace setup
