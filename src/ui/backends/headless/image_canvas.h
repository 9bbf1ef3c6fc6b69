#pragma once

#include <vector>

#include "ui/framework/canvas.h"

namespace setup {

// An RGB picture in memory, for checking what paint routines draw.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Image() = default;
  Image(int w, int h, Rgb fill = Rgb{}) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  Rgb At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Draws into an Image with the headless text metrics: each character other than a blank is a
// solid cell one pixel narrower than its advance, so text position and colour can be checked;
// an icon is a solid square in a colour of its own. `origin` offsets all drawing (a control's
// place in the image) and everything is clipped to the client area.
class ImageCanvas : public Canvas {
 public:
  ImageCanvas(Image& image, Point origin, Size client);
  explicit ImageCanvas(Image& image)
      : ImageCanvas(image, Point{}, Size{image.width, image.height}) {}

  Size ClientSize() const override { return client_; }
  void FillRect(const Rect& rect, Rgb colour) override;
  void PaintText(Point at, const std::string& text, const Font& font, Rgb colour) override;
  void DrawIcon(Point at, int icon) override;
  Size MeasureText(const std::string& text, const Font& font) const override;

  static Rgb IconColour(int icon);

 private:
  Image& image_;
  Point origin_;
  Size client_;
};

}  // namespace setup
