#include "ui/backends/headless/headless_controls.h"

#include <algorithm>

#include "ui/framework/dialog.h"

namespace setup {

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}
}  // namespace

// --- edit

void HeadlessEdit::SetText(const std::string& text) {
  text_ = text;
  sel_start_ = sel_end_ = 0;
  dialog_.OnCommand(id_, NOTIFY_EDIT_CHANGE);
}

void HeadlessEdit::SetSel(int start, int end) {
  int size = static_cast<int>(text_.size());
  sel_start_ = std::clamp(start, 0, size);
  sel_end_ = std::clamp(end, sel_start_, size);
}

void HeadlessEdit::TypeCharacter(const std::string& character) {
  text_.replace(sel_start_, sel_end_ - sel_start_, character);
  sel_start_ = sel_end_ = sel_start_ + static_cast<int>(character.size());
  dialog_.OnCommand(id_, NOTIFY_EDIT_CHANGE);
}

// --- combo box

std::string HeadlessCombo::GetText() const { return GetLBText(selection_); }

int HeadlessCombo::AddString(const std::string& text) {
  auto at = entries_.end();
  if (sorted_) {
    at = std::find_if(entries_.begin(), entries_.end(), [&](const std::string& entry) {
      std::string a = entry, b = text;
      std::transform(a.begin(), a.end(), a.begin(), Upper);
      std::transform(b.begin(), b.end(), b.begin(), Upper);
      return a > b;
    });
  }
  int index = static_cast<int>(at - entries_.begin());
  entries_.insert(at, text);
  if (selection_ >= index) ++selection_;
  return index;
}

std::string HeadlessCombo::GetLBText(int index) const {
  return index >= 0 && index < GetCount() ? entries_[index] : "";
}

int HeadlessCombo::FindStringExact(const std::string& text) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (EqualNoCase(entries_[i], text)) return i;
  }
  return -1;
}

void HeadlessCombo::SetCurSel(int index) {
  selection_ = index >= 0 && index < GetCount() ? index : -1;
}

// --- check list

HeadlessList::HeadlessList(CDialog& dialog, const ControlTemplate& control, Rect pixels,
                           int glyph_width)
    : HeadlessControl(dialog, control, pixels), glyph_width_(glyph_width) {}

int HeadlessList::AddString(const std::string& text) {
  items_.push_back(Item{text});
  return GetCount() - 1;
}

std::string HeadlessList::GetItemText(int index) const {
  return index >= 0 && index < GetCount() ? items_[index].text : "";
}

void HeadlessList::SetCheck(int index, int state) {
  if (index >= 0 && index < GetCount()) items_[index].check = state;
}

int HeadlessList::GetCheck(int index) const {
  return index >= 0 && index < GetCount() ? items_[index].check : 0;
}

void HeadlessList::EnableItem(int index, bool enabled) {
  if (index >= 0 && index < GetCount()) items_[index].enabled = enabled;
}

bool HeadlessList::IsItemEnabled(int index) const {
  return index >= 0 && index < GetCount() && items_[index].enabled;
}

void HeadlessList::SetCurSel(int index) {
  selection_ = index >= 0 && index < GetCount() ? index : -1;
}

int HeadlessList::ItemHeight() const {
  int measured = hooks_ ? hooks_->MeasureItem() : 0;
  // The check list raises the height to the font's text height and the glyph height plus 1.
  return std::max({measured, std::abs(DialogFont().height), glyph_width_ + 1});
}

Rect HeadlessList::GetItemRect(int index) const {
  int height = ItemHeight();
  int top = (index - top_) * height;
  return Rect{0, top, GetClientRect().right, top + height};
}

Rect HeadlessList::GetClientRect() const {
  // A one-pixel border on every side.
  return Rect{0, 0, std::max(0, rect_.Width() - 2), std::max(0, rect_.Height() - 2)};
}

void HeadlessList::DefaultLButtonDown(Point point) {
  Rect client = GetClientRect();
  if (!client.Contains(point)) return;
  for (int i = top_; i < GetCount(); ++i) {
    if (GetItemRect(i).Contains(point)) {
      if (items_[i].enabled) selection_ = i;
      break;
    }
  }
  if (dialog_.window()) dialog_.window()->SetFocus(id_);
}

void HeadlessList::FocusParent() {
  if (dialog_.window()) dialog_.window()->SetFocus(0);
}

void HeadlessList::Click(Point point) {
  if (hooks_ == nullptr) {
    DefaultLButtonDown(point);
    return;
  }
  hooks_->OnLButtonDown(0, point);
  hooks_->OnLButtonUp(0, point);
}

void HeadlessList::DoubleClick(Point point) {
  Click(point);
  if (hooks_ == nullptr) return;
  hooks_->OnLButtonDblClk(0, point);
  hooks_->OnLButtonUp(0, point);
}

void HeadlessList::EnsureVisible(int index) {
  if (index < 0 || index >= GetCount()) return;
  int visible = std::max(1, GetClientRect().Height() / ItemHeight());
  if (index < top_) top_ = index;
  if (index >= top_ + visible) top_ = index - visible + 1;
}

void HeadlessList::Render(Canvas& canvas) {
  Rect client = GetClientRect();
  canvas.FillRect(client, SYSCOLOR_WINDOW);
  for (int i = top_; i < GetCount(); ++i) {
    Rect item = GetItemRect(i);
    if (item.top >= client.bottom) break;
    // The glyph: a framed box, filled when checked.
    int top = item.top + (item.Height() - glyph_width_) / 2;
    canvas.FillRect(Rect{0, top, glyph_width_, top + glyph_width_}, SYSCOLOR_WINDOWTEXT);
    canvas.FillRect(Rect{1, top + 1, glyph_width_ - 1, top + glyph_width_ - 1},
                    items_[i].check ? SYSCOLOR_WINDOWTEXT : SYSCOLOR_WINDOW);
    if (hooks_) {
      Rect text = item;
      text.left += glyph_width_ + 2;
      hooks_->DrawItem(canvas, i, text, i == selection_);
    }
  }
}

// --- tree

const std::vector<TreeItem>& HeadlessTree::Siblings(TreeItem parent) const {
  if (parent == TVI_ROOT) return roots_;
  return nodes_.at(parent).children;
}

TreeItem HeadlessTree::InsertItem(TreeItem parent, const std::string& text, int image,
                                  int selected_image) {
  if (parent != TVI_ROOT && nodes_.count(parent) == 0) return 0;
  TreeItem item = next_++;
  nodes_[item] = Node{text, image, selected_image, parent, {}, false};
  if (parent == TVI_ROOT) {
    roots_.push_back(item);
  } else {
    nodes_[parent].children.push_back(item);
  }
  return item;
}

bool HeadlessTree::IsWithin(TreeItem item, TreeItem ancestor) const {
  for (TreeItem at = item; at != 0; at = nodes_.at(at).parent) {
    if (at == ancestor) return true;
  }
  return false;
}

void HeadlessTree::DeleteItem(TreeItem item) {
  auto it = nodes_.find(item);
  if (it == nodes_.end()) return;
  TreeItem parent = it->second.parent;
  bool selection_gone = selection_ != 0 && IsWithin(selection_, item);
  std::vector<TreeItem> doomed{item};
  for (size_t i = 0; i < doomed.size(); ++i) {
    for (TreeItem child : nodes_[doomed[i]].children) doomed.push_back(child);
  }
  auto& siblings = parent == TVI_ROOT ? roots_ : nodes_[parent].children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
  for (TreeItem gone : doomed) nodes_.erase(gone);
  if (selection_gone) {
    // The selection moves to the deleted item's parent.
    selection_ = parent;
    dialog_.OnNotify(id_, TreeNotify{TVN_SELCHANGED, parent, 0});
  }
}

TreeItem HeadlessTree::GetChild(TreeItem item) const {
  if (item != TVI_ROOT && nodes_.count(item) == 0) return 0;
  const auto& children = Siblings(item);
  return children.empty() ? 0 : children.front();
}

TreeItem HeadlessTree::GetNextSibling(TreeItem item) const {
  auto it = nodes_.find(item);
  if (it == nodes_.end()) return 0;
  const auto& siblings = Siblings(it->second.parent);
  auto at = std::find(siblings.begin(), siblings.end(), item);
  return at == siblings.end() || at + 1 == siblings.end() ? 0 : *(at + 1);
}

TreeItem HeadlessTree::GetParent(TreeItem item) const {
  auto it = nodes_.find(item);
  return it == nodes_.end() ? 0 : it->second.parent;
}

std::string HeadlessTree::GetItemText(TreeItem item) const {
  auto it = nodes_.find(item);
  return it == nodes_.end() ? "" : it->second.text;
}

std::pair<int, int> HeadlessTree::GetItemImages(TreeItem item) const {
  auto it = nodes_.find(item);
  return it == nodes_.end() ? std::pair{-1, -1}
                            : std::pair{it->second.image, it->second.selected_image};
}

void HeadlessTree::SelectItem(TreeItem item) {
  if (item == selection_ || nodes_.count(item) == 0) return;
  selection_ = item;
  dialog_.OnNotify(id_, TreeNotify{TVN_SELCHANGED, item, 0});
}

void HeadlessTree::Expand(TreeItem item, int action) {
  auto it = nodes_.find(item);
  if (it == nodes_.end()) return;
  if (action == TVE_EXPAND && (it->second.expanded || it->second.children.empty())) return;
  if (action == TVE_COLLAPSE && !it->second.expanded) return;
  bool vetoed = dialog_.OnNotify(id_, TreeNotify{TVN_ITEMEXPANDING, item, action}) != 0;
  it = nodes_.find(item);  // the handler may have changed the tree
  if (vetoed || it == nodes_.end()) return;
  it->second.expanded = action == TVE_EXPAND && !it->second.children.empty();
}

bool HeadlessTree::IsExpanded(TreeItem item) const {
  auto it = nodes_.find(item);
  return it != nodes_.end() && it->second.expanded;
}

std::vector<TreeItem> HeadlessTree::Children(TreeItem item) const {
  if (item != TVI_ROOT && nodes_.count(item) == 0) return {};
  return Siblings(item);
}

}  // namespace setup
