#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "platform/code_page.h"
#include "ui/backends/qt/qt_dialog_window.h"
#include "ui/backends/qt/qt_screenshots.h"
#include "ui/framework/dialog_user.h"
#include "ui/framework/waiting_dialogs.h"
#include "ui/framework/window_system.h"

namespace setup {

// The window system on Qt 6. Build it on the thread that owns the QApplication: that is the
// UI thread. Modal dialogs run in QDialog::exec(); calls from other threads are queued to
// the UI thread with a blocking connection, posted messages with a queued one. Every dialog
// and message box is reported to the observer, as in the headless backend.
//
// With a DialogUser (an answers file), the user acts on the innermost modal dialog in the
// same protocol as the headless backend: once the dialog is shown, again after each act,
// after each posted message and queued call, and when a dialog above it ends; a dialog
// left alone waits for the next message. A dialog acted on WaitingDialogs::MAX_USER_TURNS times
// without ending is ended with ID_CANCEL. Message boxes are shown and then answered by clicking the
// button the user chose.
//
// Every control kind of the templates is realized, so every dialog of an installation can
// be shown.
class QtWindowSystem : public WindowSystem {
 public:
  QtWindowSystem(const CodePage& code_page, DialogObserver* observer);
  ~QtWindowSystem() override;

  int RunModal(CDialog& dialog) override;
  bool CreateModeless(CDialog& dialog) override;
  void DestroyWindow(CDialog& dialog) override;
  void EndModal(CDialog& dialog, int result) override;
  void Post(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void InvokeOnUiThread(const std::function<void()>& task) override;
  bool IsUiThread() const override { return std::this_thread::get_id() == ui_thread_; }
  MessageBoxService& MessageBoxes() override { return boxes_; }
  ScreenMetrics Metrics() const override;
  int CheckGlyphWidth() const override { return 11; }
  bool CanCreateFont(const Font&) const override { return true; }

  // The realized window of a live dialog, or nullptr.
  QtDialogWindow* WindowOf(const CDialog& dialog) const;
  // Called on the UI thread each time a dialog has been initialised and shown (tests use
  // it to look at and answer a dialog).
  void SetShownHook(std::function<void(CDialog&)> hook) { shown_hook_ = std::move(hook); }
  // The user who answers instead of a person; nullptr (the default) waits for a person.
  void SetUser(DialogUser* user) { user_ = user; }
  // Saves a PNG of each window as it first appears into `directory` (see QtScreenshots).
  void SetScreenshotDirectory(std::string directory) {
    screenshots_.SetDirectory(std::move(directory));
  }

 private:
  class BoxService : public MessageBoxService {
   public:
    explicit BoxService(QtWindowSystem& owner) : owner_(owner) {}
    MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override;

   private:
    QtWindowSystem& owner_;
  };

  int RunModalOnUiThread(CDialog& dialog, bool report, int box_button = 0);
  // Queues one consultation of the user, unless one is queued already.
  void ScheduleConsult();
  void Consult();
  QtDialogWindow& Realize(CDialog& dialog);
  // After OnInitDialog: the window is shown, named for assistive technology and captured.
  void ShowInitialised(QtDialogWindow& window);
  void Unrealize(CDialog& dialog);

  // The receiver of queued consultations and posted messages: those still queued when this
  // window system goes are dropped with it instead of running on a destroyed object.
  QObject queue_context_;
  const CodePage& code_page_;
  DialogObserver* observer_;
  DialogUser* user_ = nullptr;
  WaitingDialogs waiting_;
  bool consult_queued_ = false;
  BoxService boxes_;
  std::thread::id ui_thread_;
  WindowHandle next_handle_ = 1;
  std::map<WindowHandle, std::unique_ptr<QtDialogWindow>> windows_;
  std::function<void(CDialog&)> shown_hook_;
  QtScreenshots screenshots_;
};

}  // namespace setup
