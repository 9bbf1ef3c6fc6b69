#pragma once

#include <memory>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/window_system.h"

namespace setup {

// Whether the Qt backend can realize every control of the template.
bool QtCanRealize(const DialogTemplate& dialog_template);

// A run with real windows, for code that must not see Qt: the process's Qt application and
// the window system on it, built on the calling thread (which becomes the UI thread). Open
// only when a display is available: Qt ends the process when it cannot open one.
class QtSession {
 public:
  virtual ~QtSession() = default;
  static std::unique_ptr<QtSession> Open(const CodePage& code_page, DialogObserver* observer);
  virtual WindowSystem& window_system() = 0;
  // Saves a PNG of each window as it first appears, as DIR/NNN-<kind>.png.
  virtual void SetScreenshotDirectory(const std::string& directory) = 0;
};

}  // namespace setup
