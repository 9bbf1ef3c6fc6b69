#include "ui/backends/qt/qt_session.h"

#include <QApplication>

#include "ui/backends/qt/qt_dialog_window.h"
#include "ui/backends/qt/qt_window_system.h"

namespace setup {

bool QtCanRealize(const DialogTemplate& dialog_template) {
  return QtDialogWindow::Supports(dialog_template);
}

namespace {

class QtSessionImpl : public QtSession {
 public:
  QtSessionImpl(const CodePage& code_page, DialogObserver* observer)
      : application_(argc_, argv_), window_system_(code_page, observer) {}
  WindowSystem& window_system() override { return window_system_; }

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
