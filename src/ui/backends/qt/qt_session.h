#pragma once

#include <memory>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/dialog_user.h"
#include "ui/framework/window_system.h"

namespace setup {

// Whether the Qt backend can realize every control of the template.
bool QtCanRealize(const DialogTemplate& dialog_template);

// A run with real windows, for code that must not see Qt: the process's Qt application and
// the window system on it, built on the calling thread (which becomes the UI thread). Open
// only when a display is known to open (CanOpenDisplay) or `offscreen`: Qt ends the process
// when it cannot open one. Offscreen windows are drawn in memory only (for screenshots).
class QtSession {
 public:
  virtual ~QtSession() = default;
  static std::unique_ptr<QtSession> Open(const CodePage& code_page, DialogObserver* observer,
                                         bool offscreen = false);
  virtual WindowSystem& window_system() = 0;
  // The user who answers the dialogs instead of a person (nullptr: a person).
  virtual void SetUser(DialogUser* user) = 0;
  // Saves a PNG of each window as it first appears, as DIR/NNN-<kind>.png.
  virtual void SetScreenshotDirectory(const std::string& directory) = 0;
};

}  // namespace setup
