#include "ui/backends/qt/qt_screenshots.h"

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "ui/framework/screenshot_name.h"

namespace setup {

std::string QtScreenshots::Capture(QWidget& window, const std::string& kind) {
  if (!enabled()) return "";
  if (count_ == 0) QDir().mkpath(QString::fromStdString(directory_));
  std::string path = directory_ + "/" + ScreenshotFileName(++count_, kind);
  // Rendered from the widgets themselves, so it works without a screen to read back.
  QImage image = window.grab().toImage();
  return image.save(QString::fromStdString(path), "PNG") ? path : "";
}

}  // namespace setup
