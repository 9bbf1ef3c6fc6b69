#include "ui/backends/qt/qt_screenshots.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdio>

namespace setup {

std::string QtScreenshots::FileName(int number, const std::string& kind) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%03d-", number);
  return prefix + kind + ".png";
}

std::string QtScreenshots::Capture(QWidget& window, const std::string& kind) {
  if (!enabled()) return "";
  if (count_ == 0) QDir().mkpath(QString::fromStdString(directory_));
  std::string path = directory_ + "/" + FileName(++count_, kind);
  // Rendered from the widgets themselves, so it works without a screen to read back.
  QImage image = window.grab().toImage();
  return image.save(QString::fromStdString(path), "PNG") ? path : "";
}

}  // namespace setup
