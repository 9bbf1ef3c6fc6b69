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
        continue;
    }
    return false;  // a kind added to the framework but not yet to this backend
  }
  return true;
}

namespace {

class QtSessionImpl : public QtSession {
 public:
  QtSessionImpl(const CodePage& code_page, DialogObserver* observer)
      : application_(argc_, argv_), window_system_(code_page, observer) {}
  WindowSystem& window_system() override { return window_system_; }
  void SetScreenshotDirectory(const std::string& directory) override {
    window_system_.SetScreenshotDirectory(directory);
  }

 private:
  int argc_ = 1;
  char name_[6] = "setup";
  char* argv_[2] = {name_, nullptr};
  QApplication application_;
  QtWindowSystem window_system_;
};

}  // namespace

std::unique_ptr<QtSession> QtSession::Open(const CodePage& code_page, DialogObserver* observer) {
  return std::make_unique<QtSessionImpl>(code_page, observer);
}

}  // namespace setup
