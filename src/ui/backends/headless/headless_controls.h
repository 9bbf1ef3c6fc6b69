#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/backends/headless/image_canvas.h"
#include "ui/backends/headless/text_metrics.h"
#include "ui/framework/controls.h"

namespace setup {

class CDialog;

// The state every headless control shares: id, kind, text, rectangle, visibility.
template <class Interface>
class HeadlessControl : public Interface {
 public:
  HeadlessControl(CDialog& dialog, const ControlTemplate& control, Rect pixels)
      : dialog_(dialog),
        id_(control.id),
        kind_(control.kind),
        text_(control.text),
        rect_(pixels),
        visible_(!control.hidden) {}

  int id() const override { return id_; }
  ControlKind kind() const override { return kind_; }
  void SetText(const std::string& text) override { text_ = text; }
  std::string GetText() const override { return text_; }
  void Show(bool visible) override { visible_ = visible; }
  bool IsVisible() const override { return visible_; }
  void Enable(bool enabled) override { enabled_ = enabled; }
  bool IsEnabled() const override { return enabled_; }
  Rect GetRect() const override { return rect_; }
  Size MeasureText(const std::string& text) const override {
    return MeasureHeadlessText(text, DialogFont());
  }

 protected:
  CDialog& dialog_;
  int id_;
  ControlKind kind_;
  std::string text_;
  Rect rect_;
  bool visible_;
  bool enabled_ = true;
};

// Statics, group boxes, icons and push buttons.
class HeadlessStatic : public HeadlessControl<Control> {
 public:
  using HeadlessControl::HeadlessControl;
};

class HeadlessProgress : public HeadlessControl<ProgressControl> {
 public:
  using HeadlessControl::HeadlessControl;
  void SetPos(int percent) override { percent_ = percent < 0 ? 0 : percent > 100 ? 100 : percent; }
  int GetPos() const override { return percent_; }

 private:
  int percent_ = 0;
};

class HeadlessEdit : public HeadlessControl<EditControl> {
 public:
  using HeadlessControl::HeadlessControl;
  void SetText(const std::string& text) override;
  std::pair<int, int> GetSel() const override { return {sel_start_, sel_end_}; }
  void SetSel(int start, int end) override;
  void ScrollCaret() override {}
  // The user types one character (one or two bytes): it replaces the selection and the caret
  // moves past it.
  void TypeCharacter(const std::string& character);

 private:
  int sel_start_ = 0;
  int sel_end_ = 0;
};

class HeadlessCombo : public HeadlessControl<ComboControl> {
 public:
  HeadlessCombo(CDialog& dialog, const ControlTemplate& control, Rect pixels)
      : HeadlessControl(dialog, control, pixels), sorted_(control.sorted) {}
  std::string GetText() const override;
  int AddString(const std::string& text) override;
  int GetCount() const override { return static_cast<int>(entries_.size()); }
  std::string GetLBText(int index) const override;
  int FindStringExact(const std::string& text) const override;
  void SetCurSel(int index) override;
  int GetCurSel() const override { return selection_; }

 private:
  bool sorted_;
  std::vector<std::string> entries_;
  int selection_ = -1;
};

class HeadlessList : public HeadlessControl<ListControl> {
 public:
  HeadlessList(CDialog& dialog, const ControlTemplate& control, Rect pixels, int glyph_width);
  void SetHooks(ListHooks* hooks) override { hooks_ = hooks; }
  int AddString(const std::string& text) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  std::string GetItemText(int index) const override;
  void SetCheck(int index, int state) override;
  int GetCheck(int index) const override;
  void EnableItem(int index, bool enabled) override;
  bool IsItemEnabled(int index) const override;
  int GetCurSel() const override { return selection_; }
  void SetCurSel(int index) override;
  int GetTopIndex() const override { return top_; }
  Rect GetItemRect(int index) const override;
  Rect GetClientRect() const override;
  void InvalidateItem(int) override {}
  void DefaultLButtonDown(Point point) override;
  void FocusParent() override;

  // The user's mouse at a point in the list's client coordinates.
  void Click(Point point);
  void DoubleClick(Point point);
  // Scrolls so that the item is in view, as the user would with the scroll bar.
  void EnsureVisible(int index);
  // Draws the visible items (glyph, then the owner's DrawItem) in list client coordinates.
  void Render(Canvas& canvas);

 private:
  struct Item {
    std::string text;
    int check = 0;
    bool enabled = true;
  };
  int ItemHeight() const;

  ListHooks* hooks_ = nullptr;
  int glyph_width_;
  std::vector<Item> items_;
  int selection_ = -1;
  int top_ = 0;
};

class HeadlessTree : public HeadlessControl<TreeControl> {
 public:
  using HeadlessControl::HeadlessControl;
  // The headless tree draws no images.
  void SetImageList(int, int) override {}
  TreeItem InsertItem(TreeItem parent, const std::string& text, int image,
                      int selected_image) override;
  void DeleteItem(TreeItem item) override;
  TreeItem GetChild(TreeItem item) const override;
  TreeItem GetNextSibling(TreeItem item) const override;
  TreeItem GetParent(TreeItem item) const override;
  std::string GetItemText(TreeItem item) const override;
  std::pair<int, int> GetItemImages(TreeItem item) const override;
  void SelectItem(TreeItem item) override;
  TreeItem GetSelection() const override { return selection_; }
  void Expand(TreeItem item, int action) override;
  bool IsExpanded(TreeItem item) const override;

  std::vector<TreeItem> Children(TreeItem item) const;

 private:
  struct Node {
    std::string text;
    int image = 0;
    int selected_image = 0;
    TreeItem parent = 0;
    std::vector<TreeItem> children;
    bool expanded = false;
  };
  const std::vector<TreeItem>& Siblings(TreeItem parent) const;
  bool IsWithin(TreeItem item, TreeItem ancestor) const;

  std::map<TreeItem, Node> nodes_;
  std::vector<TreeItem> roots_;
  TreeItem next_ = 1;
  TreeItem selection_ = 0;
};

}  // namespace setup
