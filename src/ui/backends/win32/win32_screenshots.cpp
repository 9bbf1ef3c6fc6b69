#include "ui/backends/win32/win32_screenshots.h"

#include <cstdint>
#include <vector>

#include "platform/host_file_io.h"
#include "ui/backends/win32/win32_window_picture.h"
#include "ui/framework/png_writer.h"
#include "ui/framework/screenshot_name.h"

namespace setup {

std::string Win32Screenshots::Capture(HWND window, const std::string& kind) {
  if (!enabled()) return "";
  std::string path = directory_ + "\\" + ScreenshotFileName(++count_, kind);
  WindowPicture picture = DrawWindowPicture(window);
  std::vector<uint8_t> png = EncodePng(picture.width, picture.height, picture.argb.data());
  if (png.empty()) return "";
  Status written = WriteHostFileAtomically(path, std::string(png.begin(), png.end()));
  return written.ok() ? path : "";
}

}  // namespace setup
