#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace setup {

// A picture of a window's client area, without the frame the system draws around it (as
// the Qt backend's pictures are): row-major opaque pixels, 0xFFRRGGBB.
struct WindowPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

// The window and its visible child windows draw themselves into the picture (PrintWindow,
// so a window must answer WM_PRINTCLIENT as it paints); where the window cannot, its pixels
// are copied from the screen. An empty picture when neither works or the area is empty.
WindowPicture DrawWindowPicture(HWND window);

}  // namespace setup
