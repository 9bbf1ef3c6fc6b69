#include "ui/backends/qt/qt_user_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/code_page_text.h"
#include "ui/backends/qt/qt_check_list.h"
#include "ui/backends/qt/qt_text.h"
#include "ui/backends/qt/qt_tree.h"
#include "ui/framework/backslash_path.h"

namespace setup {

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at) {
  QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

}  // namespace

QWidget* QtUserDriver::UsableWidget(int id) const {
  Control* control = window_.GetControl(id);
  if (control == nullptr || !control->IsVisible() || !control->IsEnabled()) return nullptr;
  return window_.WidgetOf(id);
}

bool QtUserDriver::Click(int id) {
  auto* button = qobject_cast<QPushButton*>(UsableWidget(id));
  if (button == nullptr) return false;
  button->click();
  return true;
}

void QtUserDriver::SendKey(QWidget& widget, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &release);
}

bool QtUserDriver::PressEnter() {
  SendKey(*window_.widget(), Qt::Key_Return, "\r");
  return true;
}

bool QtUserDriver::PressEsc() {
  SendKey(*window_.widget(), Qt::Key_Escape, "\x1b");
  return true;
}

bool QtUserDriver::PressDefault() {
  int id = dialog().dialog_template().DefaultButton();
  return id != 0 && Click(id);
}

bool QtUserDriver::ClickListItem(int id, int index, bool on_check_box) {
  auto* list = dynamic_cast<QtCheckList*>(window_.GetControl(id));
  QWidget* widget = UsableWidget(id);
  if (list == nullptr || widget == nullptr || index < 0 || index >= list->GetCount()) return false;
  list->EnsureVisible(index);
  Rect item = list->GetItemRect(index);
  int x = on_check_box ? item.left + 2 : item.left + list->glyph_width() + 12;
  QPoint at = QPoint(x, item.top + item.Height() / 2) + list->ClientOrigin();
  SendMouse(*widget, QEvent::MouseButtonPress, at);
  SendMouse(*widget, QEvent::MouseButtonRelease, at);
  return true;
}

bool QtUserDriver::PickCombo(int id, const std::string& text) {
  auto* combo = qobject_cast<QComboBox*>(UsableWidget(id));
  auto* control = dynamic_cast<ComboControl*>(window_.GetControl(id));
  if (combo == nullptr || control == nullptr) return false;
  int index = control->FindStringExact(text);
  if (index < 0) return false;
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  return true;
}

TreeItem QtUserDriver::FindTreeItem(int id, const std::string& path) { return Find(id, path); }

TreeItem QtUserDriver::Find(int id, const std::string& path) const {
  auto* tree = dynamic_cast<TreeControl*>(window_.GetControl(id));
  return tree ? FindTreePath(*tree, code_page_, path) : 0;
}

QTreeWidgetItem* QtUserDriver::FindItem(int id, const std::string& path) const {
  auto* tree = dynamic_cast<QtTree*>(window_.GetControl(id));
  if (tree == nullptr || UsableWidget(id) == nullptr) return nullptr;
  return tree->ItemOf(Find(id, path));
}

bool QtUserDriver::ExpandTreeItem(int id, const std::string& path) {
  QTreeWidgetItem* item = FindItem(id, path);
  if (item == nullptr || item->childCount() == 0) return false;
  item->setExpanded(true);
  return true;
}

bool QtUserDriver::CollapseTreeItem(int id, const std::string& path) {
  QTreeWidgetItem* item = FindItem(id, path);
  if (item == nullptr || !item->isExpanded()) return false;
  item->setExpanded(false);
  return true;
}

bool QtUserDriver::SelectTreeItem(int id, const std::string& path) {
  QTreeWidgetItem* item = FindItem(id, path);
  if (item == nullptr) return false;
  item->treeWidget()->setCurrentItem(item);
  return true;
}

bool QtUserDriver::Type(int id, const std::string& text) {
  auto* edit = qobject_cast<QLineEdit*>(UsableWidget(id));
  if (edit == nullptr) return false;
  edit->setFocus(Qt::OtherFocusReason);
  // A character at a time, as a keyboard gives them: a two-byte character is one key.
  for (const std::string& character : SplitCharacters(code_page_, text)) {
    // A character may end the dialog or replace the edit; the rest then goes nowhere.
    if (window_.WidgetOf(id) != edit || dialog().IsEnded()) break;
    QString typed = ToQt(code_page_, character);
    SendKey(*edit, typed.isEmpty() ? 0 : typed.at(0).toUpper().unicode(), typed);
  }
  return true;
}

}  // namespace setup
