#include "ui/backends/win32/win32_tree.h"

#include <commctrl.h>

#include <cwchar>
#include <vector>

#include "ui/backends/win32/win32_images.h"
#include "ui/backends/win32/win32_text.h"
#include "ui/framework/dialog.h"

namespace setup {

namespace {

constexpr size_t MAX_ITEM_TEXT = 1024;
// The framework's names for these are macros of <commctrl.h> here; its notification codes
// and actions keep the values of the system's ANSI ones.
constexpr TreeItem ROOT = 0;
constexpr int NOTIFY_EXPANDING = TVN_ITEMEXPANDINGA;
constexpr int NOTIFY_SELCHANGED = TVN_SELCHANGEDA;
constexpr int ACTION_EXPAND = TVE_EXPAND;
constexpr int ACTION_COLLAPSE = TVE_COLLAPSE;

HTREEITEM Native(void* item) { return static_cast<HTREEITEM>(item); }

// The tree's wide-character messages by name: the <commctrl.h> macros pick the ANSI ones in
// a build without UNICODE.
bool ReadItem(HWND tree, TVITEMW& item) {
  return SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE;
}

}  // namespace

Win32Tree::Win32Tree(const ControlTemplate& control, HWND window, CDialog& dialog,
                     const CodePage& code_page)
    : Win32ControlBase(control, window, code_page), dialog_(dialog) {}

Win32Tree::~Win32Tree() {
  if (images_ != nullptr) ImageList_Destroy(static_cast<HIMAGELIST>(images_));
}

void Win32Tree::SetImageList(int, int) {
  if (images_ != nullptr) return;
  HIMAGELIST list = CreateTreeImageList();
  images_ = list;
  TreeView_SetImageList(window_, list, TVSIL_NORMAL);
}

void* Win32Tree::NativeOf(TreeItem item) const {
  auto it = items_.find(item);
  return it == items_.end() ? nullptr : it->second;
}

TreeItem Win32Tree::HandleOf(void* native) const {
  if (native == nullptr) return 0;
  TVITEMW item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = Native(native);
  if (!ReadItem(window_, item)) return 0;
  return static_cast<TreeItem>(item.lParam);
}

void* Win32Tree::Next(void* native, unsigned relation) const {
  return TreeView_GetNextItem(window_, Native(native), relation);
}

TreeItem Win32Tree::InsertItem(TreeItem parent, const std::string& text, int image,
                               int selected_image) {
  void* above = parent == ROOT ? nullptr : NativeOf(parent);
  if (parent != ROOT && above == nullptr) return 0;
  const TreeItem handle = next_++;
  std::wstring wide = ToWide(code_page_, text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = above ? Native(above) : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = wide.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = selected_image;
  insert.item.lParam = static_cast<LPARAM>(handle);
  HTREEITEM made = reinterpret_cast<HTREEITEM>(
      SendMessageW(window_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (made == nullptr) return 0;
  items_[handle] = made;
  return handle;
}

void Win32Tree::DeleteItem(TreeItem handle) {
  void* item = NativeOf(handle);
  if (item == nullptr) return;
  void* parent = Next(item, TVGN_PARENT);
  bool selection_gone = false;
  for (void* at = Next(nullptr, TVGN_CARET); at != nullptr; at = Next(at, TVGN_PARENT)) {
    selection_gone = selection_gone || at == item;
  }
  std::vector<void*> doomed{item};
  for (size_t i = 0; i < doomed.size(); ++i) {
    for (void* c = Next(doomed[i], TVGN_CHILD); c != nullptr; c = Next(c, TVGN_NEXT)) {
      doomed.push_back(c);
    }
  }
  for (void* gone : doomed) items_.erase(HandleOf(gone));
  // The tree would move the selection to a neighbour; it moves to the parent, told below.
  quiet_ = true;
  if (selection_gone) TreeView_SelectItem(window_, Native(parent));
  TreeView_DeleteItem(window_, Native(item));
  quiet_ = false;
  if (selection_gone) {
    dialog_.OnNotify(id_, TreeNotify{NOTIFY_SELCHANGED, HandleOf(parent), 0});
  }
}

TreeItem Win32Tree::GetChild(TreeItem handle) const {
  if (handle == ROOT) return HandleOf(Next(nullptr, TVGN_ROOT));
  void* item = NativeOf(handle);
  return item ? HandleOf(Next(item, TVGN_CHILD)) : 0;
}

TreeItem Win32Tree::GetNextSibling(TreeItem handle) const {
  void* item = NativeOf(handle);
  return item ? HandleOf(Next(item, TVGN_NEXT)) : 0;
}

TreeItem Win32Tree::GetParent(TreeItem handle) const {
  void* item = NativeOf(handle);
  return item ? HandleOf(Next(item, TVGN_PARENT)) : 0;
}

std::string Win32Tree::GetItemText(TreeItem handle) const {
  void* native = NativeOf(handle);
  if (native == nullptr) return "";
  std::wstring text(MAX_ITEM_TEXT, L'\0');
  TVITEMW item{};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = Native(native);
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  if (!ReadItem(window_, item)) return "";
  text.resize(wcsnlen(text.c_str(), text.size()));
  return FromWide(code_page_, text);
}

std::pair<int, int> Win32Tree::GetItemImages(TreeItem handle) const {
  void* native = NativeOf(handle);
  if (native == nullptr) return {-1, -1};
  TVITEMW item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = Native(native);
  if (!ReadItem(window_, item)) return {-1, -1};
  return {item.iImage, item.iSelectedImage};
}

void Win32Tree::SelectItem(TreeItem handle) {
  // The tree tells the dialog itself (TVN_SELCHANGED), and nobody when nothing changes.
  if (void* item = NativeOf(handle)) TreeView_SelectItem(window_, Native(item));
}

TreeItem Win32Tree::GetSelection() const { return HandleOf(Next(nullptr, TVGN_CARET)); }

bool Win32Tree::Vetoed(TreeItem item, int action) {
  return dialog_.OnNotify(id_, TreeNotify{NOTIFY_EXPANDING, item, action}) != 0;
}

void Win32Tree::Expand(TreeItem handle, int action) {
  void* item = NativeOf(handle);
  if (item == nullptr) return;
  const bool open = IsExpanded(handle);
  if (action == ACTION_EXPAND && (open || Next(item, TVGN_CHILD) == nullptr)) return;
  if (action == ACTION_COLLAPSE && !open) return;
  if (Vetoed(handle, action)) return;
  item = NativeOf(handle);  // the dialog may have changed the tree
  if (item == nullptr) return;
  // The tree may report a first expansion itself; the dialog has been asked already.
  quiet_ = true;
  TreeView_Expand(window_, Native(item), action == ACTION_EXPAND ? TVE_EXPAND : TVE_COLLAPSE);
  quiet_ = false;
}

bool Win32Tree::IsExpanded(TreeItem handle) const {
  void* item = NativeOf(handle);
  if (item == nullptr) return false;
  const UINT state = TreeView_GetItemState(window_, Native(item), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0 && Next(item, TVGN_CHILD) != nullptr;
}

LRESULT Win32Tree::OnNotify(const NMHDR& header) {
  const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
  switch (header.code) {
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDINGA: {
      if (quiet_) return FALSE;
      const int action = (change.action & TVE_EXPAND) ? ACTION_EXPAND : ACTION_COLLAPSE;
      const TreeItem item = static_cast<TreeItem>(change.itemNew.lParam);
      // An item the dialog removed while deciding stays closed.
      return Vetoed(item, action) || NativeOf(item) == nullptr ? TRUE : FALSE;
    }
    case TVN_SELCHANGEDW:
    case TVN_SELCHANGEDA:
      if (!quiet_) {
        dialog_.OnNotify(
            id_, TreeNotify{NOTIFY_SELCHANGED, static_cast<TreeItem>(change.itemNew.lParam), 0});
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace setup
