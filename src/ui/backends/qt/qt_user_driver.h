#pragma once

#include <QTreeWidgetItem>
#include <string>

#include "platform/code_page.h"
#include "ui/backends/qt/qt_dialog_window.h"
#include "ui/framework/user_driver.h"

namespace setup {

// The scripted user's hands on real widgets: buttons are clicked, keys and mouse presses are
// sent to the widgets as a person's would be, so each widget's own handling (the edit's
// character filter, the tree's expand veto, the combo's activation) runs as for a person.
class QtUserDriver : public UserDriver {
 public:
  QtUserDriver(QtDialogWindow& window, const CodePage& code_page, int turn)
      : window_(window), code_page_(code_page), turn_(turn) {}

  CDialog& dialog() override { return window_.dialog(); }
  int turn() const override { return turn_; }
  const CodePage& code_page() const override { return code_page_; }

  bool Click(int id) override;
  bool PressEnter() override;
  bool PressEsc() override;
  bool PressDefault() override;
  bool ClickListItem(int id, int index, bool on_check_box) override;
  bool PickCombo(int id, const std::string& text) override;
  TreeItem FindTreeItem(int id, const std::string& path) override;
  bool ExpandTreeItem(int id, const std::string& path) override;
  bool CollapseTreeItem(int id, const std::string& path) override;
  bool SelectTreeItem(int id, const std::string& path) override;
  bool Type(int id, const std::string& text) override;

 private:
  // The widget of a visible, enabled control, or nullptr.
  QWidget* UsableWidget(int id) const;
  // The tree item at `path` (texts from the root, case ignored), as a handle or a widget item.
  TreeItem Find(int id, const std::string& path) const;
  QTreeWidgetItem* FindItem(int id, const std::string& path) const;
  void SendKey(QWidget& widget, int key, const QString& text);

  QtDialogWindow& window_;
  const CodePage& code_page_;
  int turn_;
};

}  // namespace setup
