#pragma once

#include <memory>
#include <string>

#include "platform/code_page.h"
#include "ui/framework/dialog_user.h"
#include "ui/framework/window_system.h"

namespace setup {

// A run with real windows on Windows, for code that must not see <windows.h>: the window
// system, built on the calling thread (which becomes the UI thread). Every Windows session
// has its desktop, so it always opens.
class Win32Session {
 public:
  virtual ~Win32Session() = default;
  static std::unique_ptr<Win32Session> Open(const CodePage& code_page, DialogObserver* observer);
  virtual WindowSystem& window_system() = 0;
  // The user who answers the dialogs instead of a person (nullptr: a person).
  virtual void SetUser(DialogUser* user) = 0;
  // Saves a PNG of each window as it first appears, as DIR/NNN-<kind>.png.
  virtual void SetScreenshotDirectory(const std::string& directory) = 0;
};

}  // namespace setup
