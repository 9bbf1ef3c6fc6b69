#include "ui/backends/win32/win32_session.h"

#include "ui/backends/win32/win32_window_system.h"

namespace setup {

namespace {

class Win32SessionImpl : public Win32Session {
 public:
  Win32SessionImpl(const CodePage& code_page, DialogObserver* observer)
      : window_system_(code_page, observer) {}
  WindowSystem& window_system() override { return window_system_; }
  void SetUser(DialogUser* user) override { window_system_.SetUser(user); }
  void SetScreenshotDirectory(const std::string& directory) override {
    window_system_.SetScreenshotDirectory(directory);
  }

 private:
  Win32WindowSystem window_system_;
};

}  // namespace

std::unique_ptr<Win32Session> Win32Session::Open(const CodePage& code_page,
                                                 DialogObserver* observer) {
  return std::make_unique<Win32SessionImpl>(code_page, observer);
}

}  // namespace setup
