#include "ui/backends/win32/win32_window_system.h"

#include "ui/backends/win32/win32_images.h"
#include "ui/backends/win32/win32_user_driver.h"
#include "ui/framework/dialog_snapshot.h"
#include "ui/framework/message_box_dlg.h"

#include <commctrl.h>

namespace setup {

namespace {

constexpr wchar_t QUEUE_CLASS[] = L"SetupUiThreadQueue";
constexpr UINT WM_QUEUE_CONSULT = WM_APP + 1;
constexpr UINT WM_QUEUE_POSTED = WM_APP + 2;
constexpr UINT WM_QUEUE_INVOKE = WM_APP + 3;

// A call carried to the UI thread; `done` is set once it has run.
struct Invocation {
  const std::function<void()>* task;
  HANDLE done;
};

}  // namespace

Win32WindowSystem::Win32WindowSystem(const CodePage& code_page, DialogObserver* observer)
    : code_page_(code_page),
      observer_(observer),
      boxes_(*this),
      ui_thread_(std::this_thread::get_id()) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  WNDCLASSEXW queue_class{};
  queue_class.cbSize = sizeof queue_class;
  queue_class.lpfnWndProc = &QueueProc;
  queue_class.hInstance = GetModuleHandleW(nullptr);
  queue_class.lpszClassName = QUEUE_CLASS;
  RegisterClassExW(&queue_class);  // fails harmlessly when an earlier window system registered it
  queue_window_ = CreateWindowExW(0, QUEUE_CLASS, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(queue_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32WindowSystem::~Win32WindowSystem() {
  for (auto& [handle, window] : windows_) window->dialog().DetachWindow();
  windows_.clear();
  if (queue_window_ != nullptr) ::DestroyWindow(queue_window_);
}

LRESULT CALLBACK Win32WindowSystem::QueueProc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
  auto* self = reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_QUEUE_CONSULT:
      self->consult_queued_ = false;
      self->Consult();
      return 0;
    case WM_QUEUE_POSTED:
      self->DeliverPosted();
      return 0;
    case WM_QUEUE_INVOKE: {
      auto* call = reinterpret_cast<Invocation*>(lparam);
      (*call->task)();
      self->ScheduleConsult();
      SetEvent(call->done);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

HWND Win32WindowSystem::OwnerForNewWindow() const {
  // The dialog it was opened from, else the first modeless window (the backdrop), so it
  // stays above that window and keeps it disabled while modal.
  WindowHandle owner = 0;
  if (!waiting_.empty()) {
    owner = waiting_.innermost();
  } else if (!modeless_.empty()) {
    owner = *modeless_.begin();
  }
  auto it = windows_.find(owner);
  return it == windows_.end() ? nullptr : it->second->hwnd();
}

Win32DialogWindow* Win32WindowSystem::Realize(CDialog& dialog) {
  HWND owner = OwnerForNewWindow();
  const WindowHandle handle = next_handle_++;
  auto window =
      std::make_unique<Win32DialogWindow>(dialog, handle, owner, code_page_, CheckGlyphWidth());
  if (!window->created()) return nullptr;
  Win32DialogWindow* made = window.get();
  windows_[handle] = std::move(window);
  dialog.AttachWindow(made);
  if (dialog.dialog_template().centered) made->CenterWindow();
  return made;
}

void Win32WindowSystem::ShowInitialised(Win32DialogWindow& window, bool focus_first_control) {
  ShowWindow(window.hwnd(), SW_SHOW);
  if (focus_first_control) {
    if (HWND first = GetNextDlgTabItem(window.hwnd(), nullptr, FALSE)) {
      SendMessageW(window.hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }
  }
  UpdateWindow(window.hwnd());
  screenshots_.Capture(window.hwnd(), window.dialog().ClassName());
}

void Win32WindowSystem::Unrealize(CDialog& dialog) {
  const WindowHandle handle = dialog.GetSafeHwnd();
  dialog.DetachWindow();
  auto window = std::move(windows_[handle]);
  windows_.erase(handle);
  modeless_.erase(handle);
  window.reset();
  dialog.PostNcDestroy();
}

Win32DialogWindow* Win32WindowSystem::WindowOf(const CDialog& dialog) const {
  auto it = windows_.find(dialog.GetSafeHwnd());
  return it == windows_.end() ? nullptr : it->second.get();
}

int Win32WindowSystem::RunModal(CDialog& dialog) {
  if (!IsUiThread()) {
    int result = 0;
    InvokeOnUiThread([&] { result = RunModalOnUiThread(dialog, true); });
    return result;
  }
  return RunModalOnUiThread(dialog, true);
}

int Win32WindowSystem::RunModalOnUiThread(CDialog& dialog, bool report, int box_button) {
  Win32DialogWindow* window = Realize(dialog);
  if (window == nullptr) return -1;
  const bool focus_first_control = dialog.OnInitDialog();
  const int ticket =
      report && observer_ ? observer_->OnDialogShown(TakeSnapshot(dialog), false) : 0;
  if (!dialog.IsEnded()) {
    HWND owner = GetWindow(window->hwnd(), GW_OWNER);
    const bool owner_enabled = owner != nullptr && IsWindowEnabled(owner);
    if (owner_enabled) EnableWindow(owner, FALSE);
    ShowInitialised(*window, focus_first_control);
    if (shown_hook_) shown_hook_(dialog);
    if (!dialog.IsEnded()) {
      waiting_.Push(window->handle(), box_button);
      ScheduleConsult();
      RunLoop(dialog, window->hwnd());
      waiting_.Pop();
      ScheduleConsult();
    }
    // Before this window goes, so the activation returns to the owner.
    if (owner_enabled) EnableWindow(owner, TRUE);
  }
  if (report && observer_)
    observer_->OnDialogEnded(ticket, TakeSnapshot(dialog), dialog.AnswerName());
  Unrealize(dialog);
  return dialog.result();
}

void Win32WindowSystem::RunLoop(const CDialog& dialog, HWND window) {
  MSG message{};
  while (!dialog.IsEnded()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The quit request is for the outermost loop; this dialog ends unanswered.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void Win32WindowSystem::ScheduleConsult() {
  if (user_ == nullptr || consult_queued_) return;
  consult_queued_ = PostMessageW(queue_window_, WM_QUEUE_CONSULT, 0, 0) != FALSE;
}

void Win32WindowSystem::Consult() {
  auto driver_for = [this](WindowHandle handle, int turns) -> std::unique_ptr<UserDriver> {
    auto it = windows_.find(handle);
    if (it == windows_.end() || it->second->dialog().IsEnded()) return nullptr;
    return std::make_unique<Win32UserDriver>(*it->second, code_page_, turns);
  };
  if (user_ != nullptr && waiting_.ActOnInnermost(*user_, driver_for)) ScheduleConsult();
}

bool Win32WindowSystem::CreateModeless(CDialog& dialog) {
  Win32DialogWindow* window = Realize(dialog);
  if (window == nullptr) return false;
  modeless_.insert(window->handle());
  const bool focus_first_control = dialog.OnInitDialog();
  ShowInitialised(*window, focus_first_control);
  if (observer_) observer_->OnDialogShown(TakeSnapshot(dialog), true);
  if (shown_hook_) shown_hook_(dialog);
  return true;
}

void Win32WindowSystem::DestroyWindow(CDialog& dialog) {
  if (windows_.count(dialog.GetSafeHwnd()) != 0) Unrealize(dialog);
}

void Win32WindowSystem::EndModal(CDialog&, int) {
  // The modal loop looks at the dialog after each message it dispatches; this wakes it
  // when the dialog was ended outside one.
  PostMessageW(queue_window_, WM_NULL, 0, 0);
}

void Win32WindowSystem::Post(WindowHandle window, uint32_t message, uintptr_t wparam,
                             intptr_t lparam) {
  {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    posted_.push_back(PostedMessage{window, message, wparam, lparam});
  }
  PostMessageW(queue_window_, WM_QUEUE_POSTED, 0, 0);
}

void Win32WindowSystem::DeliverPosted() {
  PostedMessage posted{};
  {
    std::lock_guard<std::mutex> lock(posted_mutex_);
    if (posted_.empty()) return;
    posted = posted_.front();
    posted_.pop_front();
  }
  auto it = windows_.find(posted.window);
  if (it != windows_.end()) {
    it->second->dialog().WindowProc(posted.message, posted.wparam, posted.lparam);
  }
  ScheduleConsult();
}

void Win32WindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  Invocation call{&task, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  if (call.done == nullptr) return;
  if (PostMessageW(queue_window_, WM_QUEUE_INVOKE, 0, reinterpret_cast<LPARAM>(&call))) {
    WaitForSingleObject(call.done, INFINITE);
  }
  CloseHandle(call.done);
}

ScreenMetrics Win32WindowSystem::Metrics() const {
  ScreenMetrics metrics;
  metrics.cx_full_screen = GetSystemMetrics(SM_CXFULLSCREEN);
  metrics.cy_full_screen = GetSystemMetrics(SM_CYFULLSCREEN);
  metrics.cy_caption = GetSystemMetrics(SM_CYCAPTION);
  metrics.cx_icon = GetSystemMetrics(SM_CXICON);
  metrics.cy_icon = GetSystemMetrics(SM_CYICON);
  return metrics;
}

int Win32WindowSystem::CheckGlyphWidth() const { return setup::CheckGlyphWidth(); }

MessageBoxResult Win32WindowSystem::BoxService::ShowMessageBox(const MessageBoxRequest& request) {
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
