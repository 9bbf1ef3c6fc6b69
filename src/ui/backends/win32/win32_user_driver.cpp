#include "ui/backends/win32/win32_user_driver.h"

#include "platform/code_page_text.h"
#include "ui/backends/win32/win32_check_list.h"
#include "ui/backends/win32/win32_text.h"
#include "ui/framework/backslash_path.h"

namespace setup {

HWND Win32UserDriver::UsableWindow(int id) const {
  Control* control = window_.GetControl(id);
  if (control == nullptr || !control->IsVisible() || !control->IsEnabled()) return nullptr;
  return window_.WindowOf(id);
}

bool Win32UserDriver::Click(int id) {
  Control* control = window_.GetControl(id);
  HWND button = UsableWindow(id);
  if (button == nullptr || (control->kind() != ControlKind::PushButton &&
                            control->kind() != ControlKind::DefPushButton)) {
    return false;
  }
  // What a button reports when clicked, whether or not its dialog is the active window.
  SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

void Win32UserDriver::PressKey(WPARAM key) {
  HWND target = GetFocus();
  if (target == nullptr || (target != window_.hwnd() && !IsChild(window_.hwnd(), target))) {
    target = window_.hwnd();
  }
  MSG message{target, WM_KEYDOWN, key, 1, 0, {0, 0}};
  IsDialogMessageW(window_.hwnd(), &message);
}

bool Win32UserDriver::PressEnter() {
  PressKey(VK_RETURN);
  return true;
}

bool Win32UserDriver::PressEsc() {
  PressKey(VK_ESCAPE);
  return true;
}

bool Win32UserDriver::PressDefault() {
  const int id = dialog().dialog_template().DefaultButton();
  return id != 0 && Click(id);
}

bool Win32UserDriver::ClickListItem(int id, int index, bool on_check_box) {
  auto* list = dynamic_cast<Win32CheckList*>(window_.GetControl(id));
  HWND window = UsableWindow(id);
  if (list == nullptr || window == nullptr || index < 0 || index >= list->GetCount()) return false;
  list->EnsureVisible(index);
  const Rect item = list->GetItemRect(index);
  const int x = on_check_box ? item.left + 2 : item.left + list->glyph_width() + 12;
  const LPARAM at = MAKELPARAM(x, item.top + item.Height() / 2);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(window, WM_LBUTTONUP, 0, at);
  return true;
}

bool Win32UserDriver::PickCombo(int id, const std::string& text) {
  auto* combo = dynamic_cast<ComboControl*>(window_.GetControl(id));
  HWND window = UsableWindow(id);
  if (combo == nullptr || window == nullptr) return false;
  const int index = combo->FindStringExact(text);
  if (index < 0) return false;
  combo->SetCurSel(index);
  // What the list reports when a person picks an entry.
  SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(window));
  return true;
}

TreeItem Win32UserDriver::FindTreeItem(int id, const std::string& path) {
  auto* tree = dynamic_cast<TreeControl*>(window_.GetControl(id));
  return tree ? FindTreePath(*tree, code_page_, path) : 0;
}

bool Win32UserDriver::ExpandTreeItem(int id, const std::string& path) {
  auto* tree = dynamic_cast<TreeControl*>(window_.GetControl(id));
  if (tree == nullptr || UsableWindow(id) == nullptr) return false;
  const TreeItem item = FindTreePath(*tree, code_page_, path);
  if (item == 0 || tree->GetChild(item) == 0) return false;
  tree->Expand(item, TVE_EXPAND);
  return true;
}

bool Win32UserDriver::CollapseTreeItem(int id, const std::string& path) {
  auto* tree = dynamic_cast<TreeControl*>(window_.GetControl(id));
  if (tree == nullptr || UsableWindow(id) == nullptr) return false;
  const TreeItem item = FindTreePath(*tree, code_page_, path);
  if (item == 0 || !tree->IsExpanded(item)) return false;
  tree->Expand(item, TVE_COLLAPSE);
  return true;
}

bool Win32UserDriver::SelectTreeItem(int id, const std::string& path) {
  auto* tree = dynamic_cast<TreeControl*>(window_.GetControl(id));
  if (tree == nullptr || UsableWindow(id) == nullptr) return false;
  const TreeItem item = FindTreePath(*tree, code_page_, path);
  if (item == 0) return false;
  tree->SelectItem(item);
  return true;
}

bool Win32UserDriver::Type(int id, const std::string& text) {
  HWND edit = UsableWindow(id);
  if (edit == nullptr || window_.GetControl(id)->kind() != ControlKind::Edit) return false;
  ::SetFocus(edit);
  // A character at a time, as a keyboard gives them: a two-byte character is one key.
  for (const std::string& character : SplitCharacters(code_page_, text)) {
    // A character may end the dialog or replace the edit; the rest then goes nowhere.
    if (window_.WindowOf(id) != edit || dialog().IsEnded()) break;
    for (wchar_t unit : ToWide(code_page_, character)) SendMessageW(edit, WM_CHAR, unit, 1);
  }
  return true;
}

}  // namespace setup
