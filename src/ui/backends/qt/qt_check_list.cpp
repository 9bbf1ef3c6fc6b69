#include "ui/backends/qt/qt_check_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/backends/qt/qt_canvas.h"
#include "ui/backends/qt/qt_text.h"

namespace setup {

namespace {
Point ClientPoint(const QFrame& frame, const QMouseEvent& event) {
  QPoint at = event.position().toPoint() - frame.contentsRect().topLeft();
  return Point{at.x(), at.y()};
}
}  // namespace

QtCheckListWidget::QtCheckListWidget(QtCheckList& list, QWidget* parent)
    : QFrame(parent), list_(list), scroll_bar_(new QScrollBar(Qt::Vertical, this)) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  // Not a tab stop: only a click gives it the focus, and the click hands it back.
  setFocusPolicy(Qt::ClickFocus);
  connect(scroll_bar_, &QScrollBar::valueChanged, this, [this] { update(); });
}

void QtCheckListWidget::LayOut() {
  QRect inside = QFrame::contentsRect();
  int width = scroll_bar_->sizeHint().width();
  int hidden = std::max(0, list_.GetCount() - list_.VisibleItems());
  scroll_bar_->setGeometry(inside.right() + 1 - width, inside.top(), width, inside.height());
  scroll_bar_->setRange(0, hidden);
  scroll_bar_->setPageStep(std::max(1, list_.VisibleItems()));
  scroll_bar_->setVisible(hidden > 0);
}

void QtCheckListWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.translate(contentsRect().topLeft());
  list_.Paint(painter);
  painter.resetTransform();
  painter.setClipping(false);
  drawFrame(&painter);
}

void QtCheckListWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (ListHooks* hooks = list_.hooks()) {
    hooks->OnLButtonDown(0, ClientPoint(*this, *event));
  } else {
    list_.DefaultLButtonDown(ClientPoint(*this, *event));
  }
}

void QtCheckListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (ListHooks* hooks = list_.hooks()) hooks->OnLButtonDblClk(0, ClientPoint(*this, *event));
}

void QtCheckListWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (ListHooks* hooks = list_.hooks()) hooks->OnLButtonUp(0, ClientPoint(*this, *event));
}

void QtCheckListWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      list_.ToggleSelected();
      return;
    case Qt::Key_Up:
      list_.MoveSelection(-1);
      return;
    case Qt::Key_Down:
      list_.MoveSelection(1);
      return;
    default:
      QFrame::keyPressEvent(event);
  }
}

void QtCheckListWidget::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayOut();
}

QtCheckList::QtCheckList(const ControlTemplate& control, QWidget* parent, int glyph_width,
                         const CodePage& code_page)
    : QtControlBase(control, nullptr, code_page), glyph_width_(glyph_width) {
  list_widget_ = new QtCheckListWidget(*this, parent);
  widget_ = list_widget_;
}

std::string QtCheckList::GetText() const {
  return Valid(selection_) ? items_[selection_].text : "";
}

void QtCheckList::SetHooks(ListHooks* hooks) {
  hooks_ = hooks;
  list_widget_->LayOut();
  widget_->update();
}

int QtCheckList::AddString(const std::string& text) {
  items_.push_back(Item{text});
  list_widget_->LayOut();
  widget_->update();
  return GetCount() - 1;
}

std::string QtCheckList::GetItemText(int index) const {
  return Valid(index) ? items_[index].text : "";
}

void QtCheckList::SetCheck(int index, int state) {
  if (!Valid(index)) return;
  items_[index].check = state;
  widget_->update();
}

int QtCheckList::GetCheck(int index) const { return Valid(index) ? items_[index].check : 0; }

void QtCheckList::EnableItem(int index, bool enabled) {
  if (Valid(index)) items_[index].enabled = enabled;
}

bool QtCheckList::IsItemEnabled(int index) const { return Valid(index) && items_[index].enabled; }

void QtCheckList::SetCurSel(int index) {
  selection_ = Valid(index) ? index : -1;
  EnsureVisible(selection_);
  widget_->update();
}

int QtCheckList::GetTopIndex() const { return list_widget_->scroll_bar()->value(); }

int QtCheckList::ItemHeight() const {
  int measured = hooks_ ? hooks_->MeasureItem() : 0;
  // Raised to the text height of the item font and to the glyph height plus 1.
  int text = QFontMetrics(widget_->font()).height();
  return std::max({measured, text, glyph_width_ + 1});
}

Rect QtCheckList::GetClientRect() const {
  QRect inside = list_widget_->contentsRect();
  int width = inside.width();
  if (list_widget_->scroll_bar()->isVisibleTo(list_widget_))
    width -= list_widget_->scroll_bar()->width();
  return Rect{0, 0, std::max(0, width), inside.height()};
}

int QtCheckList::VisibleItems() const {
  return std::max(1, list_widget_->contentsRect().height() / ItemHeight());
}

Rect QtCheckList::GetItemRect(int index) const {
  int height = ItemHeight();
  int top = (index - GetTopIndex()) * height;
  return Rect{0, top, GetClientRect().right, top + height};
}

void QtCheckList::DefaultLButtonDown(Point point) {
  widget_->setFocus(Qt::MouseFocusReason);
  if (!GetClientRect().Contains(point)) return;
  for (int i = GetTopIndex(); i < GetCount(); ++i) {
    if (!GetItemRect(i).Contains(point)) continue;
    if (items_[i].enabled) SetCurSel(i);
    break;
  }
}

void QtCheckList::FocusParent() {
  widget_->clearFocus();
  widget_->window()->setFocus(Qt::OtherFocusReason);
}

void QtCheckList::EnsureVisible(int index) {
  if (!Valid(index)) return;
  QScrollBar* bar = list_widget_->scroll_bar();
  if (index < bar->value()) bar->setValue(index);
  if (index >= bar->value() + VisibleItems()) bar->setValue(index - VisibleItems() + 1);
}

void QtCheckList::ToggleSelected() {
  if (!Valid(selection_)) return;
  SetCheck(selection_, items_[selection_].check == 1 ? 0 : 1);
}

void QtCheckList::MoveSelection(int delta) {
  if (GetCount() == 0) return;
  SetCurSel(std::clamp(selection_ + delta, 0, GetCount() - 1));
}

void QtCheckList::Paint(QPainter& painter) {
  Rect client = GetClientRect();
  painter.setClipRect(ToQRect(client));
  QtCanvas canvas(painter, Size{client.right, client.bottom}, code_page_, widget_->font());
  canvas.FillRect(client, SYSCOLOR_WINDOW);
  for (int i = GetTopIndex(); i < GetCount(); ++i) {
    Rect item = GetItemRect(i);
    if (item.top >= client.bottom) break;
    // The glyph: a sunken box at the item's left edge, with a tick when set.
    int top = item.top + (item.Height() - glyph_width_) / 2;
    QRect box(0, top, glyph_width_, glyph_width_);
    painter.fillRect(box, Qt::white);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (items_[i].check == 1) {
      painter.setPen(QPen(Qt::black, 2));
      painter.drawPolyline(
          QPolygon{QPoint(box.left() + 2, top + glyph_width_ / 2),
                   QPoint(box.left() + glyph_width_ / 2 - 1, top + glyph_width_ - 3),
                   QPoint(box.right() - 2, top + 2)});
    }
    if (hooks_) {
      Rect text = item;
      text.left += glyph_width_ + 2;
      hooks_->DrawItem(canvas, i, text, i == selection_);
    }
  }
}

}  // namespace setup
