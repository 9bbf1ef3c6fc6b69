#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/code_page.h"
#include "ui/backends/win32/win32_dialog_window.h"
#include "ui/backends/win32/win32_screenshots.h"
#include "ui/framework/dialog_user.h"
#include "ui/framework/waiting_dialogs.h"
#include "ui/framework/window_system.h"

namespace setup {

// The window system on Win32. Build it on the thread that is to be the UI thread. Modal
// dialogs run in a message loop of our own (IsDialogMessage, so Tab, Enter, Esc and the
// mnemonics work); the owner is disabled meanwhile. A window is owned by the modal dialog
// it was opened from, else by the first modeless window (the backdrop), so it stays above
// it. Calls from other threads and posted
// messages travel through a hidden message-only window: a call blocks its thread on an event
// until the UI thread has run it; a posted message is queued and delivered to the dialog
// whose handle it names, if that dialog still lives. Every dialog and message box is
// reported to the observer, as in the other backends.
//
// With a DialogUser (an answers file), the user acts on the innermost modal dialog in the
// same protocol as the other backends: once it is shown, again after each act, after each
// posted message and carried call, and when a dialog above it ends; a dialog left alone
// waits for the next message. A dialog acted on WaitingDialogs::MAX_USER_TURNS times without ending
// is ended with ID_CANCEL. Message boxes are shown and then answered by clicking the button the
// user chose.
class Win32WindowSystem : public WindowSystem {
 public:
  Win32WindowSystem(const CodePage& code_page, DialogObserver* observer);
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  int RunModal(CDialog& dialog) override;
  bool CreateModeless(CDialog& dialog) override;
  void DestroyWindow(CDialog& dialog) override;
  void EndModal(CDialog& dialog, int result) override;
  void Post(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void InvokeOnUiThread(const std::function<void()>& task) override;
  bool IsUiThread() const override { return std::this_thread::get_id() == ui_thread_; }
  MessageBoxService& MessageBoxes() override { return boxes_; }
  ScreenMetrics Metrics() const override;
  int CheckGlyphWidth() const override;
  // The font mapper always finds a font, the nearest it has.
  bool CanCreateFont(const Font&) const override { return true; }

  // The realized window of a live dialog, or nullptr.
  Win32DialogWindow* WindowOf(const CDialog& dialog) const;
  // Called on the UI thread each time a dialog has been initialised and shown.
  void SetShownHook(std::function<void(CDialog&)> hook) { shown_hook_ = std::move(hook); }
  // The user who answers instead of a person; nullptr (the default) waits for a person.
  void SetUser(DialogUser* user) { user_ = user; }
  // Saves a PNG of each window as it first appears into `directory`.
  void SetScreenshotDirectory(std::string directory) {
    screenshots_.SetDirectory(std::move(directory));
  }

 private:
  class BoxService : public MessageBoxService {
   public:
    explicit BoxService(Win32WindowSystem& owner) : owner_(owner) {}
    MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override;

   private:
    Win32WindowSystem& owner_;
  };

  struct PostedMessage {
    WindowHandle window;
    uint32_t message;
    uintptr_t wparam;
    intptr_t lparam;
  };

  static LRESULT CALLBACK QueueProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  int RunModalOnUiThread(CDialog& dialog, bool report, int box_button = 0);
  // Pumps messages until `dialog` has ended.
  void RunLoop(const CDialog& dialog, HWND window);
  void ScheduleConsult();
  void Consult();
  void DeliverPosted();
  HWND OwnerForNewWindow() const;
  Win32DialogWindow* Realize(CDialog& dialog);
  // After OnInitDialog: the window is shown, the focus placed and the window captured.
  void ShowInitialised(Win32DialogWindow& window, bool focus_first_control);
  void Unrealize(CDialog& dialog);

  const CodePage& code_page_;
  DialogObserver* observer_;
  DialogUser* user_ = nullptr;
  WaitingDialogs waiting_;
  bool consult_queued_ = false;
  BoxService boxes_;
  std::thread::id ui_thread_;
  HWND queue_window_ = nullptr;
  std::mutex posted_mutex_;
  std::deque<PostedMessage> posted_;
  WindowHandle next_handle_ = 1;
  std::map<WindowHandle, std::unique_ptr<Win32DialogWindow>> windows_;
  std::set<WindowHandle> modeless_;  // in the order made
  std::function<void(CDialog&)> shown_hook_;
  Win32Screenshots screenshots_;
};

}  // namespace setup
