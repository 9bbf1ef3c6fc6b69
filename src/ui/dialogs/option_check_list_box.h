#pragma once

#include <cstdint>
#include <string>

#include "ui/framework/canvas.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog.h"

namespace setup {

// The Options dialog's list: a check list whose items show a name on the left and, after a
// TAB in the item text, a right-hand text (the size) ending at the item's right edge. Every
// click on an item sets m_nLastClicked and sends WM_CHECKLIST_CLICK to the parent:
// CLBN_CHKCHANGE when it toggled the check box (x within m_cxCheck + 2 of the item's left
// edge), NOTIFY_LIST_SELCHANGE when it landed on the text. wParam = MAKEWPARAM(id, code); lParam
// carries the list's id (the list has no window handle of its own here).
class COptionCheckListBox : public ListHooks {
 public:
  // m_cxCheck is the glyph width the window system draws check boxes with.
  explicit COptionCheckListBox(WindowSystem& window_system);

  // Creates the list control in `parent` at `rect` (pixels, client coordinates).
  bool Create(const Font& font, const Rect& rect, CDialog& parent, int id);
  ListControl* list() const { return m_pList; }
  int AddString(const std::string& text);
  void SetCheck(int index, int state);
  int GetCheck(int index) const;

  void OnLButtonDown(uint32_t flags, Point point) override;
  void OnLButtonDblClk(uint32_t flags, Point point) override;
  void OnLButtonUp(uint32_t flags, Point point) override;
  void DrawItem(Canvas& canvas, int index, const Rect& rect, bool selected) override;
  int MeasureItem() override { return ITEM_HEIGHT; }

  static constexpr int ITEM_HEIGHT = 10;
  static constexpr int TEXT_LEFT = 20;

  int m_nLastClicked = 0;
  int m_cxCheck;
  Font m_pItemFont;

 private:
  void Notify(int code);

  CDialog* m_pParent = nullptr;
  int m_nId = 0;
  ListControl* m_pList = nullptr;
};

}  // namespace setup
