#include "ui/backends/headless/headless_user_driver.h"

#include "platform/code_page_text.h"
#include "ui/backends/headless/headless_window.h"
#include "ui/framework/backslash_path.h"

namespace setup {

namespace {

bool IsButton(const Control* control) {
  return control->kind() == ControlKind::PushButton ||
         control->kind() == ControlKind::DefPushButton;
}

bool Usable(const Control* control) {
  return control != nullptr && control->IsVisible() && control->IsEnabled();
}

}  // namespace

bool HeadlessUserDriver::Click(int id) {
  Control* control = dialog_.GetDlgItem(id);
  if (!Usable(control) || !IsButton(control)) return false;
  dialog_.UserCommand(id, NOTIFY_CLICKED);
  return true;
}

bool HeadlessUserDriver::PressEnter() {
  Control* focused = dialog_.GetDlgItem(window_.GetFocus());
  if (focused != nullptr && IsButton(focused) && Usable(focused)) return Click(focused->id());
  int id = dialog_.dialog_template().DefaultButton();
  if (id != 0 && Usable(dialog_.GetDlgItem(id))) return Click(id);
  dialog_.UserCommand(ID_OK, NOTIFY_CLICKED);
  return true;
}

bool HeadlessUserDriver::PressEsc() {
  dialog_.UserCommand(ID_CANCEL, NOTIFY_CLICKED);
  return true;
}

bool HeadlessUserDriver::PressDefault() {
  int id = dialog_.dialog_template().DefaultButton();
  return id != 0 && Click(id);
}

HeadlessList* HeadlessUserDriver::List(int id) const {
  auto* list = dynamic_cast<HeadlessList*>(dialog_.GetDlgItem(id));
  return Usable(list) ? list : nullptr;
}

HeadlessTree* HeadlessUserDriver::Tree(int id) const {
  auto* tree = dynamic_cast<HeadlessTree*>(dialog_.GetDlgItem(id));
  return Usable(tree) ? tree : nullptr;
}

bool HeadlessUserDriver::ClickListItem(int id, int index, bool on_check_box) {
  HeadlessList* list = List(id);
  if (list == nullptr || index < 0 || index >= list->GetCount()) return false;
  list->EnsureVisible(index);
  Rect item = list->GetItemRect(index);
  int x = on_check_box ? item.left + 2 : item.left + window_.check_glyph_width() + 12;
  list->Click(Point{x, item.top + item.Height() / 2});
  return true;
}

bool HeadlessUserDriver::PickCombo(int id, const std::string& text) {
  auto* combo = dynamic_cast<ComboControl*>(dialog_.GetDlgItem(id));
  if (!Usable(combo)) return false;
  int index = combo->FindStringExact(text);
  if (index < 0) return false;
  combo->SetCurSel(index);
  dialog_.UserCommand(id, NOTIFY_COMBO_SELCHANGE);
  return true;
}

TreeItem HeadlessUserDriver::FindTreeItem(int id, const std::string& path) {
  auto* tree = dynamic_cast<HeadlessTree*>(dialog_.GetDlgItem(id));
  return tree ? FindTreePath(*tree, code_page_, path) : 0;
}

bool HeadlessUserDriver::ExpandTreeItem(int id, const std::string& path) {
  HeadlessTree* tree = Tree(id);
  TreeItem item = FindTreeItem(id, path);
  if (tree == nullptr || item == 0 || tree->GetChild(item) == 0) return false;
  tree->Expand(item, TVE_EXPAND);
  return true;
}

bool HeadlessUserDriver::CollapseTreeItem(int id, const std::string& path) {
  HeadlessTree* tree = Tree(id);
  TreeItem item = FindTreeItem(id, path);
  if (tree == nullptr || item == 0 || !tree->IsExpanded(item)) return false;
  tree->Expand(item, TVE_COLLAPSE);
  return true;
}

bool HeadlessUserDriver::SelectTreeItem(int id, const std::string& path) {
  HeadlessTree* tree = Tree(id);
  TreeItem item = FindTreeItem(id, path);
  if (tree == nullptr || item == 0) return false;
  tree->SelectItem(item);
  return true;
}

bool HeadlessUserDriver::Type(int id, const std::string& text) {
  auto* edit = dynamic_cast<HeadlessEdit*>(dialog_.GetDlgItem(id));
  if (!Usable(edit)) return false;
  window_.SetFocus(id);
  // A character at a time, as a keyboard gives them: a two-byte character is one key.
  for (const std::string& character : SplitCharacters(code_page_, text)) {
    if (dialog_.GetDlgItem(id) != edit) break;
    edit->TypeCharacter(character);
  }
  return true;
}

}  // namespace setup
