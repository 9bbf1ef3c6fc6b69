#pragma once

#include <windows.h>

#include <string>

namespace setup {

// Saves a PNG of each window as it first appears, numbered in the order they appear:
// DIR/NNN-<kind>.png with the transcript's kind (ScreenshotFileName). Off until a directory
// is set; missing directories are made when a picture is saved. A picture is the window's
// client area (DrawWindowPicture).
class Win32Screenshots {
 public:
  // `directory` is a host path in the system's ANSI code page, as the command line gives it.
  void SetDirectory(std::string directory) { directory_ = std::move(directory); }
  bool enabled() const { return !directory_.empty(); }
  // Saves `window` as the next picture; returns its path, or "" when off or not written.
  std::string Capture(HWND window, const std::string& kind);

 private:
  std::string directory_;
  int count_ = 0;
};

}  // namespace setup
