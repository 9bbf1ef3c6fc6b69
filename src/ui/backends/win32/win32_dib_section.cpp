#include "ui/backends/win32/win32_dib_section.h"

namespace setup {

DibSection::DibSection(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (!bitmap_ || !dc_ || !bits) return;
  previous_ = SelectObject(dc_, bitmap_);
  pixels_ = static_cast<uint32_t*>(bits);
}

DibSection::~DibSection() {
  if (previous_) SelectObject(dc_, previous_);
  if (dc_) DeleteDC(dc_);
  if (bitmap_) DeleteObject(bitmap_);
}

}  // namespace setup
