#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/code_page.h"
#include "ui/backends/headless/headless_window.h"
#include "ui/framework/dialog_user.h"
#include "ui/framework/window_system.h"

namespace setup {

// The window system without a display. Dialogs live in memory; whenever a modal dialog
// waits for input, the DialogUser acts on it; every dialog and message box is reported to
// the observer (transcript, console). The UI thread is the thread that built this object.
// Texts are in `code_page`, which the scripted user needs to find a tree item by its path.
//
// A modal loop runs queued work (posted messages, dialogs and boxes marshalled from other
// threads) first, then lets the user act. If the user leaves the dialog alone, the loop
// waits for queued work. A dialog the user has acted on MAX_USER_TURNS times without it
// ending is ended with ID_CANCEL, so an unattended run never loops forever.
class HeadlessWindowSystem : public WindowSystem {
 public:
  static constexpr int MAX_USER_TURNS = 50;
  static constexpr int CHECK_GLYPH_WIDTH = 11;

  HeadlessWindowSystem(DialogUser& user, DialogObserver* observer, const CodePage& code_page);
  ~HeadlessWindowSystem() override;

  int RunModal(CDialog& dialog) override;
  bool CreateModeless(CDialog& dialog) override;
  void DestroyWindow(CDialog& dialog) override;
  void EndModal(CDialog&, int) override {}
  void Post(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void InvokeOnUiThread(const std::function<void()>& task) override;
  bool IsUiThread() const override { return std::this_thread::get_id() == ui_thread_; }
  MessageBoxService& MessageBoxes() override { return message_boxes_; }
  ScreenMetrics Metrics() const override { return metrics_; }
  int CheckGlyphWidth() const override { return CHECK_GLYPH_WIDTH; }
  bool CanCreateFont(const Font&) const override { return fonts_available_; }

  // Runs queued work without waiting; returns how many items ran. UI thread only.
  int RunPendingTasks();
  // Runs queued work, waiting for more, until `done` (checked after each item) is true. For
  // a caller that waits for another thread whose dialogs must be served meanwhile; that
  // thread's last act must queue work (InvokeOnUiThread) so the check runs again.
  void RunTasksUntil(const std::function<bool()>& done);
  // The live window of a dialog (modeless ones stay until destroyed), or nullptr.
  HeadlessWindow* WindowOf(const CDialog& dialog);
  void SetMetrics(const ScreenMetrics& metrics) { metrics_ = metrics; }
  void SetFontsAvailable(bool available) { fonts_available_ = available; }

 private:
  class BoxService : public MessageBoxService {
   public:
    explicit BoxService(HeadlessWindowSystem& owner) : owner_(owner) {}
    MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override;

   private:
    HeadlessWindowSystem& owner_;
  };

  HeadlessWindow& Realize(CDialog& dialog);
  void Unrealize(CDialog& dialog);
  bool RunOneTask(bool wait);

  DialogUser& user_;
  DialogObserver* observer_;
  const CodePage& code_page_;
  BoxService message_boxes_;
  std::thread::id ui_thread_;
  ScreenMetrics metrics_;
  bool fonts_available_ = true;
  WindowHandle next_handle_ = 1;
  std::map<WindowHandle, std::unique_ptr<HeadlessWindow>> windows_;
  std::mutex queue_mutex_;
  std::condition_variable queue_ready_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace setup
