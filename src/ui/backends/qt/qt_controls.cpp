#include "ui/backends/qt/qt_controls.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/backends/qt/qt_text.h"
#include "ui/framework/dialog.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {
std::string UpperCopy(std::string text) {
  for (char& c : text) c = UpperAscii(c);
  return text;
}
}  // namespace

template <class Interface>
Rect QtControlBase<Interface>::GetRect() const {
  return FromQRect(widget_->geometry());
}

template <class Interface>
Size QtControlBase<Interface>::MeasureText(const std::string& text) const {
  QFontMetrics metrics(widget_->font());
  return Size{metrics.horizontalAdvance(ToQt(code_page_, text)), metrics.height()};
}

template class QtControlBase<Control>;
template class QtControlBase<EditControl>;
template class QtControlBase<ComboControl>;
template class QtControlBase<ListControl>;
template class QtControlBase<TreeControl>;
template class QtControlBase<ProgressControl>;

QtProgress::QtProgress(const ControlTemplate& control, QProgressBar* bar, const CodePage& code_page)
    : QtControlBase(control, bar, code_page), bar_(bar) {
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setAccessibleName("Progress");
}

void QtPlainControl::SetText(const std::string& text) {
  QString q = ToQt(code_page_, text);
  if (auto* label = qobject_cast<QLabel*>(widget_)) label->setText(q);
  if (auto* button = qobject_cast<QPushButton*>(widget_)) button->setText(q);
  if (auto* box = qobject_cast<QGroupBox*>(widget_)) box->setTitle(q);
  if (!q.isEmpty()) widget_->setAccessibleName(WithoutMnemonics(q));
}

std::string QtPlainControl::GetText() const {
  if (auto* label = qobject_cast<QLabel*>(widget_)) return FromQt(code_page_, label->text());
  if (auto* button = qobject_cast<QPushButton*>(widget_)) return FromQt(code_page_, button->text());
  if (auto* box = qobject_cast<QGroupBox*>(widget_)) return FromQt(code_page_, box->title());
  return "";
}

QtEdit::QtEdit(const ControlTemplate& control, QLineEdit* edit, CDialog& dialog,
               const CodePage& code_page)
    : QtControlBase(control, edit, code_page), edit_(edit), dialog_(dialog) {
  // Only the user's typing notifies here; SetText notifies itself.
  QObject::connect(edit, &QLineEdit::textEdited,
                   [&dialog, id = control.id] { dialog.OnCommand(id, NOTIFY_EDIT_CHANGE); });
}

void QtEdit::SetText(const std::string& text) {
  edit_->setText(ToQt(code_page_, text));
  edit_->setCursorPosition(0);
  dialog_.OnCommand(id(), NOTIFY_EDIT_CHANGE);
}

std::string QtEdit::GetText() const { return FromQt(code_page_, edit_->text()); }

int QtEdit::ByteOffset(int position) const {
  return static_cast<int>(FromQt(code_page_, edit_->text().left(position)).size());
}

int QtEdit::Position(int byte_offset) const {
  const int length = static_cast<int>(edit_->text().size());
  int position = 0;
  while (position < length && ByteOffset(position) < byte_offset) ++position;
  return position;
}

std::pair<int, int> QtEdit::GetSel() const {
  if (!edit_->hasSelectedText()) {
    const int caret = ByteOffset(edit_->cursorPosition());
    return {caret, caret};
  }
  return {ByteOffset(edit_->selectionStart()), ByteOffset(edit_->selectionEnd())};
}

void QtEdit::SetSel(int start, int end) {
  if (start == end) {
    edit_->setCursorPosition(Position(start));
  } else {
    const int from = Position(start);
    edit_->setSelection(from, Position(end) - from);
  }
}

QtCombo::QtCombo(const ControlTemplate& control, QComboBox* combo, CDialog& dialog,
                 const CodePage& code_page)
    : QtControlBase(control, combo, code_page), combo_(combo), sorted_(control.sorted) {
  combo->setCurrentIndex(-1);
  // `activated` is the user's choice only; programmatic selection stays silent.
  QObject::connect(combo, &QComboBox::activated,
                   [&dialog, id = control.id] { dialog.UserCommand(id, NOTIFY_COMBO_SELCHANGE); });
}

std::string QtCombo::GetText() const { return FromQt(code_page_, combo_->currentText()); }

int QtCombo::AddString(const std::string& text) {
  QSignalBlocker quiet(combo_);
  int at = combo_->count();
  if (sorted_) {
    // Sorted entries are ordered without regard to case, as a sorted list box orders them.
    at = 0;
    const std::string key = UpperCopy(text);
    while (at < combo_->count() && UpperCopy(GetLBText(at)) <= key) ++at;
  }
  int selected = combo_->currentIndex();
  combo_->insertItem(at, ToQt(code_page_, text));
  // Qt would select the first entry added to an empty box; the list starts without one.
  combo_->setCurrentIndex(selected >= at ? selected + 1 : selected);
  return at;
}

std::string QtCombo::GetLBText(int index) const {
  if (index < 0 || index >= combo_->count()) return "";
  return FromQt(code_page_, combo_->itemText(index));
}

int QtCombo::FindStringExact(const std::string& text) const {
  for (int i = 0; i < combo_->count(); ++i) {
    if (EqualsNoCaseAscii(GetLBText(i), text)) return i;
  }
  return -1;
}

void QtCombo::SetCurSel(int index) {
  QSignalBlocker quiet(combo_);
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
}

}  // namespace setup
