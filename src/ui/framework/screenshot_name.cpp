#include "ui/framework/screenshot_name.h"

#include <cstdio>

namespace setup {

std::string ScreenshotFileName(int number, const std::string& kind) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%03d-", number);
  return prefix + kind + ".png";
}

}  // namespace setup
