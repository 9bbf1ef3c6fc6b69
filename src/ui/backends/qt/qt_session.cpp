#include "ui/backends/qt/qt_session.h"

#include <QApplication>

#include "ui/backends/qt/qt_dialog_window.h"
#include "ui/backends/qt/qt_window_system.h"

namespace setup {

bool QtCanRealize(const DialogTemplate& dialog_template) {
  for (const ControlTemplate& control : dialog_template.controls) {
    switch (control.kind) {
      case ControlKind::PushButton:
      case ControlKind::DefPushButton:
      case ControlKind::Static:
      case ControlKind::GroupBox:
      case ControlKind::Icon:
      case ControlKind::Edit:
      case ControlKind::ComboDropList:
      case ControlKind::TreeView:
      case ControlKind::CheckList:
      case ControlKind::ProgressBar:
        continue;
    }
    return false;  // a kind added to the framework but not yet to this backend
  }
  return true;
}

namespace {

class QtSessionImpl : public QtSession {
 public:
  QtSessionImpl(const CodePage& code_page, DialogObserver* observer, bool offscreen)
      : argc_(offscreen ? 3 : 1), application_(argc_, argv_), window_system_(code_page, observer) {}
  WindowSystem& window_system() override { return window_system_; }
  void SetUser(DialogUser* user) override { window_system_.SetUser(user); }
  void SetScreenshotDirectory(const std::string& directory) override {
    window_system_.SetScreenshotDirectory(directory);
  }

 private:
  // Qt reads the platform from its own arguments, so offscreen needs no environment change.
  char name_[6] = "setup";
  char platform_option_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, platform_option_, platform_, nullptr};
  int argc_;
  QApplication application_;
  QtWindowSystem window_system_;
};

}  // namespace

std::unique_ptr<QtSession> QtSession::Open(const CodePage& code_page, DialogObserver* observer,
                                           bool offscreen) {
  return std::make_unique<QtSessionImpl>(code_page, observer, offscreen);
}

}  // namespace setup
