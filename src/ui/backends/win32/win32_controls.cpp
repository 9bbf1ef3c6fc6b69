#include "ui/backends/win32/win32_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/backends/win32/win32_text.h"
#include "ui/framework/dialog.h"
#include "ui/framework/text_compare.h"

namespace setup {

template <class Interface>
Rect Win32ControlBase<Interface>::GetRect() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
  return FromRECT(rect);
}

template <class Interface>
Size Win32ControlBase<Interface>::MeasureText(const std::string& text) const {
  return MeasureInWindowFont(code_page_, window_, text);
}

template class Win32ControlBase<Control>;
template class Win32ControlBase<EditControl>;
template class Win32ControlBase<ComboControl>;
template class Win32ControlBase<ListControl>;
template class Win32ControlBase<TreeControl>;
template class Win32ControlBase<ProgressControl>;

void Win32PlainControl::SetText(const std::string& text) {
  SetWindowTextW(window_, ToWide(code_page_, text).c_str());
}

std::string Win32PlainControl::GetText() const { return WindowText(code_page_, window_); }

void Win32Edit::SetText(const std::string& text) {
  setting_text_ = true;
  SetWindowTextW(window_, ToWide(code_page_, text).c_str());
  SendMessageW(window_, EM_SETSEL, 0, 0);
  setting_text_ = false;
  dialog_.OnCommand(id(), NOTIFY_EDIT_CHANGE);
}

void Win32Edit::OnChanged() {
  if (!setting_text_) dialog_.OnCommand(id(), NOTIFY_EDIT_CHANGE);
}

std::string Win32Edit::GetText() const { return WindowText(code_page_, window_); }

int Win32Edit::ByteOffset(int position) const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  text.resize(std::min(text.size(), static_cast<size_t>(std::max(0, position))));
  return static_cast<int>(FromWide(code_page_, text).size());
}

int Win32Edit::Position(int byte_offset) const {
  const int length = GetWindowTextLengthW(window_);
  int position = 0;
  while (position < length && ByteOffset(position) < byte_offset) ++position;
  return position;
}

std::pair<int, int> Win32Edit::GetSel() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {ByteOffset(static_cast<int>(start)), ByteOffset(static_cast<int>(end))};
}

void Win32Edit::SetSel(int start, int end) {
  SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(Position(start)),
               static_cast<LPARAM>(Position(end)));
}

Win32Progress::Win32Progress(const ControlTemplate& control, HWND window, const CodePage& code_page)
    : Win32ControlBase(control, window, code_page) {
  SendMessageW(window, PBM_SETRANGE32, 0, 100);
  SendMessageW(window, PBM_SETPOS, 0, 0);
}

void Win32Progress::SetPos(int percent) {
  SendMessageW(window_, PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
}

int Win32Progress::GetPos() const {
  return static_cast<int>(SendMessageW(window_, PBM_GETPOS, 0, 0));
}

int Win32Combo::AddString(const std::string& text) {
  return static_cast<int>(SendMessageW(window_, CB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(ToWide(code_page_, text).c_str())));
}

int Win32Combo::GetCount() const {
  return static_cast<int>(SendMessageW(window_, CB_GETCOUNT, 0, 0));
}

std::string Win32Combo::GetLBText(int index) const {
  if (index < 0 || index >= GetCount()) return "";
  LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return "";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length = SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
  return FromWide(code_page_, text);
}

int Win32Combo::FindStringExact(const std::string& text) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (EqualsNoCaseAscii(GetLBText(i), text)) return i;
  }
  return -1;
}

void Win32Combo::SetCurSel(int index) {
  SendMessageW(window_, CB_SETCURSEL, index >= 0 && index < GetCount() ? index : -1, 0);
}

int Win32Combo::GetCurSel() const {
  return static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0));
}

}  // namespace setup
