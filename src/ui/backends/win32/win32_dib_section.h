#pragma once

#include <windows.h>

#include <cstdint>

namespace setup {

// A 32-bit top-down DIB section selected into a memory DC of its own: pictures are drawn on
// it with GDI and read back pixel by pixel (0x00RRGGBB; GDI leaves the top byte alone).
class DibSection {
 public:
  DibSection(int width, int height);
  ~DibSection();
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;

  // Whether the bitmap and its DC were made; nothing else is valid otherwise.
  bool ok() const { return pixels_ != nullptr; }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // Row-major pixels; call GdiFlush() after drawing and before reading.
  const uint32_t* pixels() const { return pixels_; }
  uint32_t* pixels() { return pixels_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

}  // namespace setup
