#include "ui/backends/qt/qt_tree.h"

#include <QSignalBlocker>
#include <vector>

#include "ui/backends/qt/qt_images.h"
#include "ui/backends/qt/qt_text.h"
#include "ui/framework/dialog.h"

namespace setup {

namespace {
constexpr int HANDLE_ROLE = Qt::UserRole;
constexpr int IMAGE_ROLE = Qt::UserRole + 1;
constexpr int SELECTED_IMAGE_ROLE = Qt::UserRole + 2;
}  // namespace

QtTree::QtTree(const ControlTemplate& control, QTreeWidget* tree, CDialog& dialog,
               const CodePage& code_page)
    : QtControlBase(control, tree, code_page), tree_(tree), dialog_(dialog) {
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(true);  // lines and buttons at the root
  tree->setColumnCount(1);
  QObject::connect(tree, &QTreeWidget::itemExpanded,
                   [this](QTreeWidgetItem* item) { OnUserToggle(item, TVE_EXPAND); });
  QObject::connect(tree, &QTreeWidget::itemCollapsed,
                   [this](QTreeWidgetItem* item) { OnUserToggle(item, TVE_COLLAPSE); });
  QObject::connect(tree, &QTreeWidget::currentItemChanged,
                   [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                     OnCurrentChanged(current, previous);
                   });
}

void QtTree::SetImageList(int, int) {
  images_ = true;
  for (auto& [handle, item] : items_) ShowImage(item, item == tree_->currentItem());
}

QTreeWidgetItem* QtTree::ItemOf(TreeItem item) const {
  auto it = items_.find(item);
  return it == items_.end() ? nullptr : it->second;
}

TreeItem QtTree::HandleOf(const QTreeWidgetItem* item) const {
  return item ? item->data(0, HANDLE_ROLE).toULongLong() : 0;
}

void QtTree::ShowImage(QTreeWidgetItem* item, bool selected) {
  if (!images_) return;
  int image = item->data(0, selected ? SELECTED_IMAGE_ROLE : IMAGE_ROLE).toInt();
  item->setIcon(0, QIcon(TreeImage(image)));
}

TreeItem QtTree::InsertItem(TreeItem parent, const std::string& text, int image,
                            int selected_image) {
  QTreeWidgetItem* above = parent == TVI_ROOT ? nullptr : ItemOf(parent);
  if (parent != TVI_ROOT && above == nullptr) return 0;
  TreeItem handle = next_++;
  auto* item = new QTreeWidgetItem(QStringList{ToQt(code_page_, text)});
  item->setData(0, HANDLE_ROLE, QVariant::fromValue<qulonglong>(handle));
  item->setData(0, IMAGE_ROLE, image);
  item->setData(0, SELECTED_IMAGE_ROLE, selected_image);
  {
    // An item added under a closed parent must not open it.
    QSignalBlocker quiet(tree_);
    if (above) {
      above->addChild(item);
    } else {
      tree_->addTopLevelItem(item);
    }
  }
  items_[handle] = item;
  ShowImage(item, false);
  return handle;
}

void QtTree::DeleteItem(TreeItem handle) {
  QTreeWidgetItem* item = ItemOf(handle);
  if (item == nullptr) return;
  QTreeWidgetItem* parent = item->parent();
  bool selection_gone = false;
  for (QTreeWidgetItem* at = tree_->currentItem(); at != nullptr; at = at->parent()) {
    selection_gone = selection_gone || at == item;
  }
  std::vector<QTreeWidgetItem*> doomed{item};
  for (size_t i = 0; i < doomed.size(); ++i) {
    for (int c = 0; c < doomed[i]->childCount(); ++c) doomed.push_back(doomed[i]->child(c));
  }
  for (QTreeWidgetItem* gone : doomed) items_.erase(HandleOf(gone));
  {
    // Qt would move the selection to a neighbour; it moves to the parent, told below.
    QSignalBlocker quiet(tree_);
    delete item;
    if (selection_gone) tree_->setCurrentItem(parent);
  }
  if (selection_gone) {
    if (parent) ShowImage(parent, true);
    dialog_.OnNotify(id_, TreeNotify{TVN_SELCHANGED, HandleOf(parent), 0});
  }
}

TreeItem QtTree::GetChild(TreeItem handle) const {
  if (handle == TVI_ROOT) return tree_->topLevelItemCount() ? HandleOf(tree_->topLevelItem(0)) : 0;
  QTreeWidgetItem* item = ItemOf(handle);
  return item && item->childCount() ? HandleOf(item->child(0)) : 0;
}

TreeItem QtTree::GetNextSibling(TreeItem handle) const {
  QTreeWidgetItem* item = ItemOf(handle);
  if (item == nullptr) return 0;
  if (QTreeWidgetItem* parent = item->parent()) {
    int at = parent->indexOfChild(item);
    return at + 1 < parent->childCount() ? HandleOf(parent->child(at + 1)) : 0;
  }
  int at = tree_->indexOfTopLevelItem(item);
  return at + 1 < tree_->topLevelItemCount() ? HandleOf(tree_->topLevelItem(at + 1)) : 0;
}

TreeItem QtTree::GetParent(TreeItem handle) const {
  QTreeWidgetItem* item = ItemOf(handle);
  return item ? HandleOf(item->parent()) : 0;
}

std::string QtTree::GetItemText(TreeItem handle) const {
  QTreeWidgetItem* item = ItemOf(handle);
  return item ? FromQt(code_page_, item->text(0)) : "";
}

std::pair<int, int> QtTree::GetItemImages(TreeItem handle) const {
  QTreeWidgetItem* item = ItemOf(handle);
  if (item == nullptr) return {-1, -1};
  return {item->data(0, IMAGE_ROLE).toInt(), item->data(0, SELECTED_IMAGE_ROLE).toInt()};
}

void QtTree::SelectItem(TreeItem handle) {
  // Selecting the selected item again changes nothing and tells nobody.
  if (QTreeWidgetItem* item = ItemOf(handle)) tree_->setCurrentItem(item);
}

TreeItem QtTree::GetSelection() const { return HandleOf(tree_->currentItem()); }

void QtTree::OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (previous) ShowImage(previous, false);
  if (current == nullptr) return;
  ShowImage(current, true);
  dialog_.OnNotify(id_, TreeNotify{TVN_SELCHANGED, HandleOf(current), 0});
}

void QtTree::Expand(TreeItem handle, int action) {
  QTreeWidgetItem* item = ItemOf(handle);
  if (item == nullptr) return;
  if (action == TVE_EXPAND && (item->isExpanded() || item->childCount() == 0)) return;
  if (action == TVE_COLLAPSE && !item->isExpanded()) return;
  // Through the widget, so the dialog hears of it exactly as of the user's click.
  item->setExpanded(action == TVE_EXPAND);
}

void QtTree::OnUserToggle(QTreeWidgetItem* item, int action) {
  TreeItem handle = HandleOf(item);
  bool vetoed = dialog_.OnNotify(id_, TreeNotify{TVN_ITEMEXPANDING, handle, action}) != 0;
  item = ItemOf(handle);  // the handler may have changed the tree
  if (item == nullptr) return;
  bool open = action == TVE_EXPAND ? !vetoed && item->childCount() > 0 : vetoed;
  QSignalBlocker quiet(tree_);
  item->setExpanded(open);
}

bool QtTree::IsExpanded(TreeItem handle) const {
  QTreeWidgetItem* item = ItemOf(handle);
  return item && item->isExpanded();
}

}  // namespace setup
