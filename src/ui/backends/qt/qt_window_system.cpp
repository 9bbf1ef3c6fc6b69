#include "ui/backends/qt/qt_window_system.h"

#include <QApplication>
#include <QMetaObject>
#include <QScreen>
#include <QStyle>

#include "ui/backends/qt/qt_user_driver.h"
#include "ui/framework/dialog_snapshot.h"
#include "ui/framework/message_box_dlg.h"

namespace setup {

QtWindowSystem::QtWindowSystem(const CodePage& code_page, DialogObserver* observer)
    : code_page_(code_page),
      observer_(observer),
      boxes_(*this),
      ui_thread_(std::this_thread::get_id()) {}

QtWindowSystem::~QtWindowSystem() {
  for (auto& [handle, window] : windows_) window->dialog().DetachWindow();
}

QtDialogWindow& QtWindowSystem::Realize(CDialog& dialog) {
  WindowHandle handle = next_handle_++;
  auto window = std::make_unique<QtDialogWindow>(dialog, handle, code_page_, CheckGlyphWidth());
  QtDialogWindow& ref = *window;
  windows_[handle] = std::move(window);
  dialog.AttachWindow(&ref);
  if (dialog.dialog_template().centered) ref.CenterWindow();
  return ref;
}

void QtWindowSystem::ShowInitialised(QtDialogWindow& window) {
  window.NameUnlabelledControls();
  window.widget()->show();
  screenshots_.Capture(*window.widget(), window.dialog().ClassName());
}

void QtWindowSystem::Unrealize(CDialog& dialog) {
  WindowHandle handle = dialog.GetSafeHwnd();
  dialog.DetachWindow();
  auto window = std::move(windows_[handle]);
  windows_.erase(handle);
  dialog.PostNcDestroy();
}

QtDialogWindow* QtWindowSystem::WindowOf(const CDialog& dialog) const {
  auto it = windows_.find(dialog.GetSafeHwnd());
  return it == windows_.end() ? nullptr : it->second.get();
}

int QtWindowSystem::RunModal(CDialog& dialog) {
  if (!IsUiThread()) {
    int result = 0;
    InvokeOnUiThread([&] { result = RunModalOnUiThread(dialog, true); });
    return result;
  }
  return RunModalOnUiThread(dialog, true);
}

int QtWindowSystem::RunModalOnUiThread(CDialog& dialog, bool report, int box_button) {
  QtDialogWindow& window = Realize(dialog);
  dialog.OnInitDialog();
  int ticket = report && observer_ ? observer_->OnDialogShown(TakeSnapshot(dialog), false) : 0;
  if (!dialog.IsEnded()) {
    window.widget()->setModal(true);
    ShowInitialised(window);
    if (shown_hook_) shown_hook_(dialog);
    if (!dialog.IsEnded()) {
      waiting_.Push(window.handle(), box_button);
      ScheduleConsult();
      window.widget()->exec();
      waiting_.Pop();
      ScheduleConsult();
    }
  }
  if (report && observer_)
    observer_->OnDialogEnded(ticket, TakeSnapshot(dialog), dialog.AnswerName());
  Unrealize(dialog);
  return dialog.result();
}

void QtWindowSystem::ScheduleConsult() {
  if (user_ == nullptr || consult_queued_) return;
  consult_queued_ = true;
  QMetaObject::invokeMethod(
      &queue_context_,
      [this] {
        consult_queued_ = false;
        Consult();
      },
      Qt::QueuedConnection);
}

void QtWindowSystem::Consult() {
  auto driver_for = [this](WindowHandle handle, int turns) -> std::unique_ptr<UserDriver> {
    auto it = windows_.find(handle);
    if (it == windows_.end() || it->second->dialog().IsEnded()) return nullptr;
    return std::make_unique<QtUserDriver>(*it->second, code_page_, turns);
  };
  if (user_ != nullptr && waiting_.ActOnInnermost(*user_, driver_for)) ScheduleConsult();
}

bool QtWindowSystem::CreateModeless(CDialog& dialog) {
  QtDialogWindow& window = Realize(dialog);
  dialog.OnInitDialog();
  ShowInitialised(window);
  if (observer_) observer_->OnDialogShown(TakeSnapshot(dialog), true);
  if (shown_hook_) shown_hook_(dialog);
  return true;
}

void QtWindowSystem::DestroyWindow(CDialog& dialog) {
  if (windows_.count(dialog.GetSafeHwnd()) != 0) Unrealize(dialog);
}

void QtWindowSystem::EndModal(CDialog& dialog, int result) {
  if (QtDialogWindow* window = WindowOf(dialog)) window->widget()->done(result);
}

void QtWindowSystem::Post(WindowHandle window, uint32_t message, uintptr_t wparam,
                          intptr_t lparam) {
  QMetaObject::invokeMethod(
      &queue_context_,
      [this, window, message, wparam, lparam] {
        auto it = windows_.find(window);
        if (it != windows_.end()) it->second->dialog().WindowProc(message, wparam, lparam);
        ScheduleConsult();
      },
      Qt::QueuedConnection);
}

void QtWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  QMetaObject::invokeMethod(
      qApp,
      [this, &task] {
        task();
        ScheduleConsult();
      },
      Qt::BlockingQueuedConnection);
}

ScreenMetrics QtWindowSystem::Metrics() const {
  ScreenMetrics metrics;
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = screen->availableGeometry();
    metrics.cx_full_screen = area.width();
    metrics.cy_full_screen = area.height();
  }
  metrics.cy_caption = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
  return metrics;
}

MessageBoxResult QtWindowSystem::BoxService::ShowMessageBox(const MessageBoxRequest& request) {
  MessageBoxResult answer = ButtonsOf(request.buttons).front();
  owner_.InvokeOnUiThread([&] {
    CMessageBoxDlg box(owner_, request);
    // The button the answers file chose; a person clicks one instead.
    const int button = owner_.user_ ? MessageBoxButtonId(OneOfTheButtons(
                                          owner_.user_->AnswerMessageBox(request), request.buttons))
                                    : 0;
    owner_.RunModalOnUiThread(box, false, button);
    answer = box.Answer();
    if (owner_.observer_) owner_.observer_->OnMessageBox(request, answer);
  });
  return answer;
}

}  // namespace setup
