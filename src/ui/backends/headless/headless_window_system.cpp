#include "ui/backends/headless/headless_window_system.h"

#include <future>

#include "ui/backends/headless/headless_user_driver.h"
#include "ui/framework/dialog_snapshot.h"

namespace setup {

HeadlessWindowSystem::HeadlessWindowSystem(DialogUser& user, DialogObserver* observer,
                                           const CodePage& code_page)
    : user_(user),
      observer_(observer),
      code_page_(code_page),
      message_boxes_(*this),
      ui_thread_(std::this_thread::get_id()) {}

HeadlessWindowSystem::~HeadlessWindowSystem() {
  for (auto& [handle, window] : windows_) window->dialog().DetachWindow();
}

HeadlessWindow& HeadlessWindowSystem::Realize(CDialog& dialog) {
  WindowHandle handle = next_handle_++;
  auto window =
      std::make_unique<HeadlessWindow>(dialog, handle, CHECK_GLYPH_WIDTH, metrics_.cy_caption);
  HeadlessWindow& ref = *window;
  windows_[handle] = std::move(window);
  dialog.AttachWindow(&ref);
  if (dialog.dialog_template().centered) ref.CenterWindow();
  return ref;
}

void HeadlessWindowSystem::Unrealize(CDialog& dialog) {
  WindowHandle handle = dialog.GetSafeHwnd();
  dialog.DetachWindow();
  // The window object goes only after the dialog has let go of it.
  auto window = std::move(windows_[handle]);
  windows_.erase(handle);
  dialog.PostNcDestroy();
}

HeadlessWindow* HeadlessWindowSystem::WindowOf(const CDialog& dialog) {
  auto it = windows_.find(dialog.GetSafeHwnd());
  return it == windows_.end() ? nullptr : it->second.get();
}

int HeadlessWindowSystem::RunModal(CDialog& dialog) {
  if (!IsUiThread()) {
    int result = 0;
    InvokeOnUiThread([&] { result = RunModal(dialog); });
    return result;
  }
  HeadlessWindow& window = Realize(dialog);
  dialog.OnInitDialog();
  int ticket = observer_ ? observer_->OnDialogShown(TakeSnapshot(dialog), false) : 0;
  int turns = 0;
  while (!dialog.IsEnded()) {
    if (RunOneTask(false)) continue;
    if (turns >= MAX_USER_TURNS) {
      dialog.EndDialog(ID_CANCEL);
      break;
    }
    HeadlessUserDriver driver(dialog, window, code_page_, turns);
    if (user_.Act(driver)) {
      ++turns;
      continue;
    }
    RunOneTask(true);
  }
  if (observer_) observer_->OnDialogEnded(ticket, TakeSnapshot(dialog), dialog.AnswerName());
  Unrealize(dialog);
  return dialog.result();
}

bool HeadlessWindowSystem::CreateModeless(CDialog& dialog) {
  Realize(dialog);
  dialog.OnInitDialog();
  if (observer_) observer_->OnDialogShown(TakeSnapshot(dialog), true);
  return true;
}

void HeadlessWindowSystem::DestroyWindow(CDialog& dialog) {
  if (windows_.count(dialog.GetSafeHwnd()) != 0) Unrealize(dialog);
}

void HeadlessWindowSystem::Post(WindowHandle window, uint32_t message, uintptr_t wparam,
                                intptr_t lparam) {
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    queue_.push_back([this, window, message, wparam, lparam] {
      auto it = windows_.find(window);
      if (it != windows_.end()) it->second->dialog().WindowProc(message, wparam, lparam);
    });
  }
  queue_ready_.notify_all();
}

void HeadlessWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  {
    std::lock_guard<std::mutex> lock(queue_mutex_);
    queue_.push_back([&] {
      task();
      done.set_value();
    });
  }
  queue_ready_.notify_all();
  finished.wait();
}

bool HeadlessWindowSystem::RunOneTask(bool wait) {
  std::function<void()> task;
  {
    std::unique_lock<std::mutex> lock(queue_mutex_);
    if (wait) queue_ready_.wait(lock, [this] { return !queue_.empty(); });
    if (queue_.empty()) return false;
    task = std::move(queue_.front());
    queue_.pop_front();
  }
  task();
  return true;
}

void HeadlessWindowSystem::RunTasksUntil(const std::function<bool()>& done) {
  while (!done()) RunOneTask(true);
}

int HeadlessWindowSystem::RunPendingTasks() {
  int count = 0;
  while (RunOneTask(false)) ++count;
  return count;
}

MessageBoxResult HeadlessWindowSystem::BoxService::ShowMessageBox(
    const MessageBoxRequest& request) {
  if (!owner_.IsUiThread()) {
    MessageBoxResult answer = MessageBoxResult::Ok;
    owner_.InvokeOnUiThread([&] { answer = ShowMessageBox(request); });
    return answer;
  }
  const MessageBoxResult answer =
      OneOfTheButtons(owner_.user_.AnswerMessageBox(request), request.buttons);
  if (owner_.observer_) owner_.observer_->OnMessageBox(request, answer);
  return answer;
}

}  // namespace setup
