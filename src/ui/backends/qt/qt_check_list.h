#pragma once

#include <QFrame>
#include <QScrollBar>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "ui/backends/qt/qt_controls.h"

namespace setup {

class QtCheckList;

// The widget of a check list: a framed, owner-drawn list with a vertical scroll bar. Mouse
// presses, double clicks and releases go to the list's hooks, which decide what a click does.
class QtCheckListWidget : public QFrame {
  Q_OBJECT
 public:
  QtCheckListWidget(QtCheckList& list, QWidget* parent);
  QScrollBar* scroll_bar() const { return scroll_bar_; }
  // Places the scroll bar and shows it when the items do not all fit.
  void LayOut();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QtCheckList& list_;
  QScrollBar* scroll_bar_;
};

// A list whose items carry a check box (0 clear, 1 set), drawn by its owner's DrawItem after
// the backend has drawn the glyph, which is CheckGlyphWidth() pixels wide.
class QtCheckList : public QtControlBase<ListControl> {
 public:
  QtCheckList(const ControlTemplate& control, QWidget* parent, int glyph_width,
              const CodePage& code_page);
  void SetText(const std::string&) override {}
  std::string GetText() const override;
  void SetHooks(ListHooks* hooks) override;
  int AddString(const std::string& text) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  std::string GetItemText(int index) const override;
  void SetCheck(int index, int state) override;
  int GetCheck(int index) const override;
  void EnableItem(int index, bool enabled) override;
  bool IsItemEnabled(int index) const override;
  int GetCurSel() const override { return selection_; }
  void SetCurSel(int index) override;
  int GetTopIndex() const override;
  Rect GetItemRect(int index) const override;
  Rect GetClientRect() const override;
  void InvalidateItem(int) override { widget_->update(); }
  void DefaultLButtonDown(Point point) override;
  void FocusParent() override;

  ListHooks* hooks() const { return hooks_; }
  // How many items fit in the client area.
  int VisibleItems() const;
  // Paints the client area: background, then per visible item its glyph and DrawItem.
  void Paint(QPainter& painter);
  // The space bar toggles the check box of the selected item, without telling the owner.
  void ToggleSelected();
  void MoveSelection(int delta);
  // Scrolls so the item is in view, as a user would before clicking it.
  void EnsureVisible(int index);
  int glyph_width() const { return glyph_width_; }
  // Where the client area (GetItemRect's origin) lies in the widget.
  QPoint ClientOrigin() const { return list_widget_->contentsRect().topLeft(); }

 private:
  struct Item {
    std::string text;
    int check = 0;
    bool enabled = true;
  };
  bool Valid(int index) const { return index >= 0 && index < GetCount(); }
  // The owner's height, raised to the font's text height and the glyph height plus 1.
  int ItemHeight() const;

  QtCheckListWidget* list_widget_;
  ListHooks* hooks_ = nullptr;
  int glyph_width_;
  std::vector<Item> items_;
  int selection_ = -1;
};

}  // namespace setup
