#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

#include "platform/display_probe.h"

namespace setup {

namespace {
std::string EnvOrEmpty(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool XServerAnswers() {
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}
}  // namespace

bool DisplayNamed() {
  return !EnvOrEmpty("DISPLAY").empty() || !EnvOrEmpty("WAYLAND_DISPLAY").empty() ||
         !EnvOrEmpty("QT_QPA_PLATFORM").empty();
}

bool CanOpenDisplay() {
  const std::string platform = EnvOrEmpty("QT_QPA_PLATFORM");
  if (platform.rfind("xcb", 0) == 0) return XServerAnswers();
  // Offscreen, VNC and the like need no server; Wayland is left to the toolkit.
  if (!platform.empty() || !EnvOrEmpty("WAYLAND_DISPLAY").empty()) return true;
  return !EnvOrEmpty("DISPLAY").empty() && XServerAnswers();
}

}  // namespace setup
