#include "ui/dialogs/option_check_list_box.h"

namespace setup {

COptionCheckListBox::COptionCheckListBox(WindowSystem& window_system)
    : m_cxCheck(window_system.CheckGlyphWidth()) {}

bool COptionCheckListBox::Create(const Font& font, const Rect& rect, CDialog& parent, int id) {
  m_pItemFont = font;
  m_nLastClicked = 0;
  m_pParent = &parent;
  m_nId = id;
  if (parent.window() == nullptr) return false;
  ControlTemplate control;
  control.id = id;
  control.kind = ControlKind::CheckList;
  control.rect = rect;
  m_pList = dynamic_cast<ListControl*>(parent.window()->CreateControl(control));
  if (m_pList == nullptr) return false;
  m_pList->SetHooks(this);
  return true;
}

int COptionCheckListBox::AddString(const std::string& text) {
  return m_pList ? m_pList->AddString(text) : -1;
}

void COptionCheckListBox::SetCheck(int index, int state) {
  if (m_pList) m_pList->SetCheck(index, state);
}

int COptionCheckListBox::GetCheck(int index) const {
  return m_pList ? m_pList->GetCheck(index) : 0;
}

void COptionCheckListBox::Notify(int code) {
  m_pParent->Send(WM_CHECKLIST_CLICK, MakeWParam(m_nId, code), m_nId);
}

void COptionCheckListBox::OnLButtonDown(uint32_t, Point point) {
  if (m_pList == nullptr) return;
  Rect client = m_pList->GetClientRect();
  for (int i = m_pList->GetTopIndex(); i < m_pList->GetCount(); ++i) {
    Rect item = m_pList->GetItemRect(i);
    if (!client.Contains(Point{item.left, item.top})) break;
    if (!item.Contains(point) || !m_pList->IsItemEnabled(i)) continue;
    m_nLastClicked = i;
    if (point.x - item.left < m_cxCheck + 2) {
      m_pList->SetCheck(i, m_pList->GetCheck(i) == 1 ? 0 : 1);
      m_pList->InvalidateItem(i);
      m_pList->DefaultLButtonDown(point);
      Notify(CLBN_CHKCHANGE);
      return;
    }
    Notify(NOTIFY_LIST_SELCHANGE);
  }
  m_pList->DefaultLButtonDown(point);
}

void COptionCheckListBox::OnLButtonDblClk(uint32_t flags, Point point) {
  OnLButtonDown(flags, point);
}

void COptionCheckListBox::OnLButtonUp(uint32_t, Point) {
  if (m_pList) m_pList->FocusParent();
}

void COptionCheckListBox::DrawItem(Canvas& canvas, int index, const Rect& rect, bool selected) {
  std::string text = m_pList ? m_pList->GetItemText(index) : "";
  size_t tab = text.find('\t');
  std::string left = tab == std::string::npos ? text : text.substr(0, tab);
  std::string right = tab == std::string::npos ? "" : text.substr(tab + 1);
  canvas.FillRect(rect, selected ? SYSCOLOR_HIGHLIGHT : SYSCOLOR_WINDOW);
  Rgb colour = selected ? SYSCOLOR_HIGHLIGHTTEXT : SYSCOLOR_WINDOWTEXT;
  canvas.PaintText(Point{TEXT_LEFT, rect.top}, left, m_pItemFont, colour);
  if (!right.empty()) {
    int width = canvas.MeasureText(right, m_pItemFont).cx;
    canvas.PaintText(Point{rect.right - width, rect.top}, right, m_pItemFont, colour);
  }
}

}  // namespace setup
