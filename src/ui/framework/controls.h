#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "ui/framework/canvas.h"
#include "ui/framework/dialog_template.h"
#include "ui/framework/geometry.h"

namespace setup {

// A control of a realized dialog, as the dialogs reach it by id. Every backend implements
// these interfaces; the dialogs never see a toolkit type. All calls are made on the UI thread.
class Control {
 public:
  virtual ~Control() = default;
  virtual int id() const = 0;
  virtual ControlKind kind() const = 0;
  // Setting an edit's text sends NOTIFY_EDIT_CHANGE to the dialog and puts the caret at 0.
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() const = 0;
  virtual void Show(bool visible) = 0;
  virtual bool IsVisible() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsEnabled() const = 0;
  // The control's rectangle in pixels, in the dialog's client coordinates.
  virtual Rect GetRect() const = 0;
  // The extent of `text` in the control's font.
  virtual Size MeasureText(const std::string& text) const = 0;
};

class EditControl : public Control {
 public:
  // Start and end of the selection as byte offsets into GetText(); both are the caret position
  // when nothing is selected.
  virtual std::pair<int, int> GetSel() const = 0;
  virtual void SetSel(int start, int end) = 0;
  virtual void ScrollCaret() = 0;
};

// A progress bar; it has no text of its own.
class ProgressControl : public Control {
 public:
  // The filled part in percent, clamped to 0..100.
  virtual void SetPos(int percent) = 0;
  virtual int GetPos() const = 0;
};

class ComboControl : public Control {
 public:
  // Adds an entry (in order, or at its sorted place for a sorted combo); returns its index.
  virtual int AddString(const std::string& text) = 0;
  virtual int GetCount() const = 0;
  virtual std::string GetLBText(int index) const = 0;
  // The first entry equal to `text` (case ignored), or -1.
  virtual int FindStringExact(const std::string& text) const = 0;
  // -1 clears the selection. Does not notify: only the user's choice sends NOTIFY_COMBO_SELCHANGE.
  virtual void SetCurSel(int index) = 0;
  virtual int GetCurSel() const = 0;
};

// What a list control with owner-drawn items asks of its owner (the option check list).
class ListHooks {
 public:
  virtual ~ListHooks() = default;
  virtual void OnLButtonDown(uint32_t flags, Point point) = 0;
  virtual void OnLButtonDblClk(uint32_t flags, Point point) = 0;
  virtual void OnLButtonUp(uint32_t flags, Point point) = 0;
  // `rect` is the item's rectangle with its left edge already moved past the check box.
  virtual void DrawItem(Canvas& canvas, int index, const Rect& rect, bool selected) = 0;
  virtual int MeasureItem() = 0;
};

// A list box whose items carry a check box (0 clear, 1 set), drawn by its ListHooks.
class ListControl : public Control {
 public:
  virtual void SetHooks(ListHooks* hooks) = 0;
  virtual int AddString(const std::string& text) = 0;
  virtual int GetCount() const = 0;
  virtual std::string GetItemText(int index) const = 0;
  virtual void SetCheck(int index, int state) = 0;
  virtual int GetCheck(int index) const = 0;
  virtual void EnableItem(int index, bool enabled) = 0;
  virtual bool IsItemEnabled(int index) const = 0;
  virtual int GetCurSel() const = 0;
  virtual void SetCurSel(int index) = 0;
  virtual int GetTopIndex() const = 0;
  // The item's rectangle in the list's client coordinates (also for items out of view).
  virtual Rect GetItemRect(int index) const = 0;
  virtual Rect GetClientRect() const = 0;
  virtual void InvalidateItem(int index) = 0;
  // The list box's own handling of a button press: select the item under the point and
  // take the focus.
  virtual void DefaultLButtonDown(Point point) = 0;
  // Gives the keyboard focus to the list's parent dialog.
  virtual void FocusParent() = 0;
};

using TreeItem = uint64_t;
inline constexpr TreeItem TVI_ROOT = 0;

inline constexpr int TVN_ITEMEXPANDING = -405;
inline constexpr int TVN_SELCHANGED = -402;
inline constexpr int TVE_COLLAPSE = 1;
inline constexpr int TVE_EXPAND = 2;

// A tree notification to the dialog; a non-zero answer to TVN_ITEMEXPANDING cancels it.
struct TreeNotify {
  int code = 0;
  TreeItem item = 0;
  int action = 0;
};

// A tree view with buttons and lines; items are appended at the end of their parent's
// children. An item shows a '+' exactly when it has children.
class TreeControl : public Control {
 public:
  // `images` images of the bitmap resource, used by index.
  virtual void SetImageList(int bitmap_resource, int images) = 0;
  virtual TreeItem InsertItem(TreeItem parent, const std::string& text, int image,
                              int selected_image) = 0;
  virtual void DeleteItem(TreeItem item) = 0;
  // 0 when there is none.
  virtual TreeItem GetChild(TreeItem item) const = 0;
  virtual TreeItem GetNextSibling(TreeItem item) const = 0;
  virtual TreeItem GetParent(TreeItem item) const = 0;
  virtual std::string GetItemText(TreeItem item) const = 0;
  virtual std::pair<int, int> GetItemImages(TreeItem item) const = 0;
  // Selects the item and sends TVN_SELCHANGED.
  virtual void SelectItem(TreeItem item) = 0;
  virtual TreeItem GetSelection() const = 0;
  // Sends TVN_ITEMEXPANDING; unless the dialog vetoes, the item opens or closes.
  virtual void Expand(TreeItem item, int action) = 0;
  virtual bool IsExpanded(TreeItem item) const = 0;
};

}  // namespace setup
