#pragma once

#include <QWidget>
#include <string>

namespace setup {

// Saves a PNG of each window as it first appears, numbered in the order they appear:
// DIR/NNN-<kind>.png with the transcript's kind (ScreenshotFileName). Off until a
// directory is set; the directory is made when the first picture is saved.
class QtScreenshots {
 public:
  void SetDirectory(std::string directory) { directory_ = std::move(directory); }
  bool enabled() const { return !directory_.empty(); }
  // Saves `window` as the next picture; returns its path, or "" when off or not written.
  std::string Capture(QWidget& window, const std::string& kind);

 private:
  std::string directory_;
  int count_ = 0;
};

}  // namespace setup
