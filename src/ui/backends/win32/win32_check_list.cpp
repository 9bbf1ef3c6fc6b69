#include "ui/backends/win32/win32_check_list.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/backends/win32/win32_canvas.h"
#include "ui/backends/win32/win32_images.h"
#include "ui/backends/win32/win32_text.h"

namespace setup {

namespace {
constexpr wchar_t LIST_PROPERTY[] = L"SetupCheckList";
}  // namespace

Win32CheckList::Win32CheckList(const ControlTemplate& control, HWND window, int glyph_width,
                               const CodePage& code_page)
    : Win32ControlBase(control, window, code_page), glyph_width_(glyph_width) {
  SetPropW(window, LIST_PROPERTY, this);
  list_proc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc)));
}

Win32CheckList::~Win32CheckList() {
  if (!IsWindow(window_)) return;
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(list_proc_));
  RemovePropW(window_, LIST_PROPERTY);
}

LRESULT CALLBACK Win32CheckList::ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* list = static_cast<Win32CheckList*>(GetPropW(window, LIST_PROPERTY));
  const Point point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const auto flags = static_cast<uint32_t>(wparam);
  switch (message) {
    case WM_LBUTTONDOWN:
      if (list->hooks_) {
        list->hooks_->OnLButtonDown(flags, point);
      } else {
        list->DefaultLButtonDown(point);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (list->hooks_) list->hooks_->OnLButtonDblClk(flags, point);
      return 0;
    case WM_LBUTTONUP:
      if (list->hooks_) list->hooks_->OnLButtonUp(flags, point);
      return 0;
    case WM_CHAR:
      if (wparam == L' ') {
        const int selected = list->GetCurSel();
        if (list->Valid(selected))
          list->SetCheck(selected, list->items_[selected].check == 1 ? 0 : 1);
        return 0;
      }
      break;
    default:
      break;
  }
  return CallWindowProcW(list->list_proc_, window, message, wparam, lparam);
}

void Win32CheckList::SetHooks(ListHooks* hooks) {
  hooks_ = hooks;
  SendMessageW(window_, LB_SETITEMHEIGHT, 0, ItemHeight());
  InvalidateRect(window_, nullptr, TRUE);
}

int Win32CheckList::ItemHeight() const {
  const int measured = hooks_ ? hooks_->MeasureItem() : 0;
  // Raised to the text height of the list's font and to the glyph height plus 1.
  const int text = MeasureInWindowFont(code_page_, window_, "").cy;
  return std::max({measured, text, glyph_width_ + 1});
}

int Win32CheckList::AddString(const std::string& text) {
  items_.push_back(Item{text});
  // The list keeps the text too, so assistive technology can read the items.
  SendMessageW(window_, LB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(ToWide(code_page_, text).c_str()));
  return GetCount() - 1;
}

std::string Win32CheckList::GetItemText(int index) const {
  return Valid(index) ? items_[index].text : "";
}

void Win32CheckList::SetCheck(int index, int state) {
  if (!Valid(index)) return;
  items_[index].check = state;
  InvalidateItem(index);
}

int Win32CheckList::GetCheck(int index) const { return Valid(index) ? items_[index].check : 0; }

void Win32CheckList::EnableItem(int index, bool enabled) {
  if (!Valid(index)) return;
  items_[index].enabled = enabled;
  InvalidateItem(index);
}

bool Win32CheckList::IsItemEnabled(int index) const {
  return Valid(index) && items_[index].enabled;
}

int Win32CheckList::GetCurSel() const {
  return static_cast<int>(SendMessageW(window_, LB_GETCURSEL, 0, 0));
}

void Win32CheckList::SetCurSel(int index) {
  SendMessageW(window_, LB_SETCURSEL, Valid(index) ? index : -1, 0);
}

int Win32CheckList::GetTopIndex() const {
  return static_cast<int>(SendMessageW(window_, LB_GETTOPINDEX, 0, 0));
}

Rect Win32CheckList::GetItemRect(int index) const {
  // Computed for items out of view too, from the top index and the fixed height.
  const int height = static_cast<int>(SendMessageW(window_, LB_GETITEMHEIGHT, 0, 0));
  const int top = (index - GetTopIndex()) * height;
  return Rect{0, top, GetClientRect().right, top + height};
}

Rect Win32CheckList::GetClientRect() const {
  RECT client{};
  ::GetClientRect(window_, &client);
  return FromRECT(client);
}

void Win32CheckList::InvalidateItem(int index) {
  if (!Valid(index)) return;
  RECT item = ToRECT(GetItemRect(index));
  InvalidateRect(window_, &item, TRUE);
}

void Win32CheckList::DefaultLButtonDown(Point point) {
  ::SetFocus(window_);
  if (!GetClientRect().Contains(point)) return;
  for (int i = GetTopIndex(); i < GetCount(); ++i) {
    if (!GetItemRect(i).Contains(point)) continue;
    if (items_[i].enabled) SetCurSel(i);
    break;
  }
}

void Win32CheckList::FocusParent() { ::SetFocus(GetParent(window_)); }

void Win32CheckList::EnsureVisible(int index) {
  if (!Valid(index)) return;
  const int height = std::max(1, GetItemRect(0).Height());
  const int visible = std::max(1, GetClientRect().Height() / height);
  const int top = GetTopIndex();
  if (index < top) SendMessageW(window_, LB_SETTOPINDEX, index, 0);
  if (index >= top + visible) SendMessageW(window_, LB_SETTOPINDEX, index - visible + 1, 0);
}

void Win32CheckList::DrawItem(const DRAWITEMSTRUCT& draw) {
  const int index = static_cast<int>(draw.itemID);
  if (!Valid(index)) return;
  const Rect item = FromRECT(draw.rcItem);
  // The glyph at the item's left edge, then the owner's drawing right of it.
  const int top = item.top + (item.Height() - glyph_width_) / 2;
  DrawCheckGlyph(draw.hDC, Rect{item.left, top, item.left + glyph_width_, top + glyph_width_},
                 items_[index].check == 1, items_[index].enabled);
  if (hooks_ == nullptr) return;
  const Rect client = GetClientRect();
  // The dialog's font stands for DialogFont(), so the items match the other controls.
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window_, WM_GETFONT, 0, 0));
  Win32Canvas canvas(draw.hDC, Size{client.right, client.bottom}, code_page_, font);
  Rect text = item;
  text.left += glyph_width_ + 2;
  hooks_->DrawItem(canvas, index, text, (draw.itemState & ODS_SELECTED) != 0);
}

}  // namespace setup
