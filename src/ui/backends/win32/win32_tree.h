#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

#include "platform/code_page.h"
#include "ui/backends/win32/win32_controls.h"

namespace setup {

// A tree view (WC_TREEVIEW) with buttons and lines. The user's expand and collapse reach the
// dialog as TVN_ITEMEXPANDING before the tree shows the change, and a non-zero answer
// cancels it; so does Expand. Selecting an item, by the user or the dialog, sends
// TVN_SELCHANGED. Items show their image, and their selected image while selected.
class Win32Tree : public Win32ControlBase<TreeControl> {
 public:
  Win32Tree(const ControlTemplate& control, HWND window, CDialog& dialog,
            const CodePage& code_page);
  ~Win32Tree() override;
  Win32Tree(const Win32Tree&) = delete;
  Win32Tree& operator=(const Win32Tree&) = delete;

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

  // WM_NOTIFY from the tree: the answer the dialog procedure gives.
  LRESULT OnNotify(const NMHDR& header);

 private:
  // The native item of a handle, or nullptr; and the handle of a native item (0 for none).
  void* NativeOf(TreeItem item) const;
  TreeItem HandleOf(void* native) const;
  void* Next(void* native, unsigned relation) const;
  // Asks the dialog about opening or closing `item`; true when it vetoes.
  bool Vetoed(TreeItem item, int action);

  CDialog& dialog_;
  void* images_ = nullptr;
  bool quiet_ = false;  // the tree's own notifications are not the user's
  TreeItem next_ = 1;
  std::map<TreeItem, void*> items_;
};

}  // namespace setup
