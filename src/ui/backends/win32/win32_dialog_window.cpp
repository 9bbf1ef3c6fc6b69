#include "ui/backends/win32/win32_dialog_window.h"

#include "ui/backends/win32/win32_check_list.h"
#include "ui/backends/win32/win32_client_paint.h"
#include "ui/backends/win32/win32_controls.h"
#include "ui/backends/win32/win32_dialog_resource.h"
#include "ui/backends/win32/win32_images.h"
#include "ui/backends/win32/win32_printable_control.h"
#include "ui/backends/win32/win32_text.h"
#include "ui/backends/win32/win32_tree.h"

#include <commctrl.h>

#include <limits>

namespace setup {

Win32DialogWindow::Win32DialogWindow(CDialog& dialog, WindowHandle handle, HWND owner,
                                     const CodePage& code_page, int glyph_width)
    : dialog_(dialog), handle_(handle), code_page_(code_page), glyph_width_(glyph_width) {
  const DialogTemplate& t = dialog.dialog_template();
  std::vector<WORD> resource = BuildDialogResource(t, code_page);
  hwnd_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                     reinterpret_cast<LPCDLGTEMPLATEW>(resource.data()), owner,
                                     &DialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd_ == nullptr) return;
  // The dialog manager made the children in template order, each below the one before.
  HWND child = GetWindow(hwnd_, GW_CHILD);
  for (const ControlTemplate& control : t.controls) {
    if (child == nullptr) break;
    Wrap(control, child);
    child = GetWindow(child, GW_HWNDNEXT);
  }
  SetIcon(ICON_APPLICATION);
}

Win32DialogWindow::~Win32DialogWindow() {
  destroying_ = true;
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  controls_.clear();
  for (HICON icon : icons_) DestroyIcon(icon);
}

Control* Win32DialogWindow::Wrap(const ControlTemplate& control, HWND window) {
  std::unique_ptr<Control> wrapper;
  switch (control.kind) {
    case ControlKind::Edit:
      wrapper = std::make_unique<Win32Edit>(control, window, dialog_, code_page_);
      break;
    case ControlKind::ComboDropList:
      wrapper = std::make_unique<Win32Combo>(control, window, code_page_);
      break;
    case ControlKind::TreeView:
      wrapper = std::make_unique<Win32Tree>(control, window, dialog_, code_page_);
      break;
    case ControlKind::CheckList:
      wrapper = std::make_unique<Win32CheckList>(control, window, glyph_width_, code_page_);
      break;
    case ControlKind::ProgressBar:
      wrapper = std::make_unique<Win32Progress>(control, window, code_page_);
      break;
    case ControlKind::Icon: {
      HICON icon = CreateIconImage(control.icon, ICON_SIZE);
      icons_.push_back(icon);
      SendMessageW(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
      wrapper = std::make_unique<Win32PlainControl>(control, window, code_page_);
      break;
    }
    default:
      wrapper = std::make_unique<Win32PlainControl>(control, window, code_page_);
      break;
  }
  MakePrintable(window, control.kind == ControlKind::GroupBox);
  controls_.push_back(Realized{std::move(wrapper), window});
  return controls_.back().control.get();
}

Control* Win32DialogWindow::CreateControl(const ControlTemplate& control) {
  const ControlClass cls = ClassOf(control);
  const Rect& r = control.rect;
  HWND window =
      CreateWindowExW(cls.ex_style, cls.name, ToWide(code_page_, control.text).c_str(),
                      WS_CHILD | (control.hidden ? 0 : WS_VISIBLE) | cls.style, r.left, r.top,
                      r.Width(), r.Height(), hwnd_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(static_cast<WORD>(control.id))),
                      GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  SendMessageW(window, WM_SETFONT, SendMessageW(hwnd_, WM_GETFONT, 0, 0), FALSE);
  // Assistive technology names a control without a text of its own after the static just
  // before it in z-order: the label that introduces it.
  if (HWND label = LabelOf(r)) {
    SetWindowPos(window, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return Wrap(control, window);
}

HWND Win32DialogWindow::LabelOf(const Rect& control) const {
  HWND label = nullptr;
  int best = std::numeric_limits<int>::max();
  for (const Realized& realized : controls_) {
    if (realized.control->kind() != ControlKind::Static || realized.control->GetText().empty()) {
      continue;
    }
    // It ends left of the control on the same line, or above it without starting right of it.
    const Rect r = realized.control->GetRect();
    const bool same_line = r.top < control.bottom && r.bottom > control.top;
    int distance = std::numeric_limits<int>::max();
    if (same_line && r.right <= control.left) {
      distance = control.left - r.right;
    } else if (r.bottom <= control.top + 2 && r.left <= control.left + 4) {
      distance = (control.top - r.bottom) + (control.left - r.left);
    }
    if (distance < best) {
      best = distance;
      label = realized.window;
    }
  }
  return label;
}

INT_PTR CALLBACK Win32DialogWindow::DialogProc(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    reinterpret_cast<Win32DialogWindow*>(lparam)->hwnd_ = window;
    // The window system runs the dialog's own initialisation once the controls are wrapped.
    return FALSE;
  }
  auto* self = reinterpret_cast<Win32DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr || self->destroying_) return FALSE;
  return self->Handle(message, wparam, lparam);
}

INT_PTR Win32DialogWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return TRUE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      const Realized* from = Find(header.hwndFrom);
      auto* tree = from ? dynamic_cast<Win32Tree*>(from->control.get()) : nullptr;
      if (tree == nullptr) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, tree->OnNotify(header));
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const Realized* from = Find(draw.hwndItem);
      auto* list = from ? dynamic_cast<Win32CheckList*>(from->control.get()) : nullptr;
      if (list == nullptr) return FALSE;
      list->DrawItem(draw);
      return TRUE;
    }
    case WM_MEASUREITEM: {
      // Sent while the list is made, before its owner is known: the font's height till then.
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      measure.itemHeight = static_cast<UINT>(MeasureInWindowFont(code_page_, hwnd_, "").cy);
      return TRUE;
    }
    case WM_PAINT:
      PaintClientArea(hwnd_, code_page_, [this](Canvas& canvas) { dialog_.OnPaint(canvas); });
      return TRUE;
    case WM_PRINTCLIENT:
      // How a window picture asks for the client area: drawn as for the screen.
      PrintClientArea(hwnd_, reinterpret_cast<HDC>(wparam), code_page_,
                      [this](Canvas& canvas) { dialog_.OnPaint(canvas); });
      return TRUE;
    case WM_CLOSE:
      return TRUE;
    default:
      return FALSE;
  }
}

void Win32DialogWindow::OnCommand(int id, int code, HWND sender) {
  const Realized* from = sender ? Find(sender) : nullptr;
  if (from == nullptr) {
    // Enter and Esc without a button of that id: ID_OK and ID_CANCEL from the dialog manager.
    if (code == BN_CLICKED) dialog_.UserCommand(id, NOTIFY_CLICKED);
    return;
  }
  switch (from->control->kind()) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      if (code == BN_CLICKED) dialog_.UserCommand(id, NOTIFY_CLICKED);
      break;
    case ControlKind::Edit:
      if (code == EN_CHANGE) static_cast<Win32Edit*>(from->control.get())->OnChanged();
      break;
    case ControlKind::ComboDropList:
      if (code == CBN_SELCHANGE) dialog_.UserCommand(id, NOTIFY_COMBO_SELCHANGE);
      break;
    default:
      break;
  }
}

const Win32DialogWindow::Realized* Win32DialogWindow::Find(HWND window) const {
  for (const Realized& realized : controls_) {
    if (realized.window == window) return &realized;
  }
  return nullptr;
}

HWND Win32DialogWindow::WindowOf(int id) const {
  for (const Realized& realized : controls_) {
    if (realized.control->id() == id) return realized.window;
  }
  return nullptr;
}

void Win32DialogWindow::SetCaption(const std::string& text) {
  SetWindowTextW(hwnd_, ToWide(code_page_, text).c_str());
}

std::string Win32DialogWindow::GetCaption() const { return WindowText(code_page_, hwnd_); }

Control* Win32DialogWindow::GetControl(int id) {
  if (id == IDC_STATIC) return nullptr;
  for (Realized& realized : controls_) {
    if (realized.control->id() == id) return realized.control.get();
  }
  return nullptr;
}

std::vector<Control*> Win32DialogWindow::Controls() {
  std::vector<Control*> all;
  for (Realized& realized : controls_) all.push_back(realized.control.get());
  return all;
}

void Win32DialogWindow::SetFocus(int id) {
  if (id == 0) {
    ::SetFocus(hwnd_);
    return;
  }
  // Through the dialog manager, so the default button follows the focus.
  if (HWND control = WindowOf(id))
    SendMessageW(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

int Win32DialogWindow::GetFocus() const {
  const Realized* focused = Find(::GetFocus());
  return focused ? focused->control->id() : 0;
}

void Win32DialogWindow::CenterWindow() {
  // The owner of every centred dialog is the screen-filling backdrop, so centring on the
  // screen's work area is centring on the owner.
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect Win32DialogWindow::GetClientRect() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  return FromRECT(client);
}

void Win32DialogWindow::SetNormalRect(const Rect& rect) {
  if (!IsIconic(hwnd_)) {
    SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd_, &placement);
  placement.rcNormalPosition = ToRECT(rect);
  SetWindowPlacement(hwnd_, &placement);
}

bool Win32DialogWindow::IsMinimized() const { return IsIconic(hwnd_) != FALSE; }

void Win32DialogWindow::SetIcon(int icon) {
  HICON big_icon = CreateIconImage(icon, GetSystemMetrics(SM_CXICON));
  HICON small_icon = CreateIconImage(icon, GetSystemMetrics(SM_CXSMICON));
  icons_.push_back(big_icon);
  icons_.push_back(small_icon);
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon));
}

void Win32DialogWindow::Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }

DialogBaseUnits Win32DialogWindow::BaseUnits() const {
  RECT units{0, 0, 4, 8};
  MapDialogRect(hwnd_, &units);
  return DialogBaseUnits{units.right, units.bottom};
}

}  // namespace setup
