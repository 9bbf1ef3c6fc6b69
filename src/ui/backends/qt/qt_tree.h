#pragma once

#include <QTreeWidget>
#include <map>
#include <string>
#include <utility>

#include "platform/code_page.h"
#include "ui/backends/qt/qt_controls.h"

namespace setup {

// A tree view with buttons and lines. The user's expand and collapse reach the dialog as
// TVN_ITEMEXPANDING before the tree shows the change; a non-zero answer undoes it. Selecting
// an item, by the user or the dialog, sends TVN_SELCHANGED. The item shows its image, and
// its selected image while selected.
class QtTree : public QtControlBase<TreeControl> {
 public:
  QtTree(const ControlTemplate& control, QTreeWidget* tree, CDialog& dialog,
         const CodePage& code_page);
  void SetText(const std::string&) override {}
  std::string GetText() const override { return GetItemText(GetSelection()); }
  void SetImageList(int bitmap_resource, int images) override;
  TreeItem InsertItem(TreeItem parent, const std::string& text, int image,
                      int selected_image) override;
  void DeleteItem(TreeItem item) override;
  TreeItem GetChild(TreeItem item) const override;
  TreeItem GetNextSibling(TreeItem item) const override;
  TreeItem GetParent(TreeItem item) const override;
  std::string GetItemText(TreeItem item) const override;
  std::pair<int, int> GetItemImages(TreeItem item) const override;
  void SelectItem(TreeItem item) override;
  TreeItem GetSelection() const override;
  void Expand(TreeItem item, int action) override;
  bool IsExpanded(TreeItem item) const override;

  // The widget's item for a handle, or nullptr.
  QTreeWidgetItem* ItemOf(TreeItem item) const;

 private:
  TreeItem HandleOf(const QTreeWidgetItem* item) const;
  void ShowImage(QTreeWidgetItem* item, bool selected);
  // The user opened or closed `item`: ask the dialog, then keep or undo the change.
  void OnUserToggle(QTreeWidgetItem* item, int action);
  void OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

  QTreeWidget* tree_;
  CDialog& dialog_;
  bool images_ = false;
  TreeItem next_ = 1;
  std::map<TreeItem, QTreeWidgetItem*> items_;
};

}  // namespace setup
