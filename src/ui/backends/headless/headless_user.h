#pragma once

#include <string>
#include <vector>

#include "ui/backends/headless/headless_controls.h"
#include "ui/framework/dialog.h"
#include "ui/framework/message_box.h"

namespace setup {

class HeadlessWindow;

// The hands of a scripted user on the dialog being shown: everything a person could do
// with mouse and keyboard, by control id. Acting on a control that is hidden, disabled or
// missing does nothing and returns false.
class UserDriver {
 public:
  UserDriver(CDialog& dialog, HeadlessWindow& window, int turn)
      : dialog_(dialog), window_(window), turn_(turn) {}

  CDialog& dialog() { return dialog_; }
  HeadlessWindow& window() { return window_; }
  std::string kind() const { return dialog_.ClassName(); }
  // How often the user has acted on this dialog before.
  int turn() const { return turn_; }
  std::string Text(int id) const { return dialog_.GetDlgItemText(id); }
  std::string Caption() const { return dialog_.GetWindowText(); }

  bool Click(int id);
  // Enter presses the focused push button, else the default button, else OK.
  bool PressEnter();
  bool PressEsc();
  // The template's default push button.
  bool PressDefault();
  // A click on an item's check box or on its text.
  bool ClickListItem(int id, int index, bool on_check_box);
  // Chooses the combo entry equal to `text` (case ignored) and sends CBN_SELCHANGE.
  bool PickCombo(int id, const std::string& text);
  // Tree items by path of texts: "C:\", "C:\Books\Demo" (case ignored); 0 when absent.
  TreeItem FindTreeItem(int id, const std::string& path) const;
  bool ExpandTreeItem(int id, const std::string& path);
  bool CollapseTreeItem(int id, const std::string& path);
  bool SelectTreeItem(int id, const std::string& path);
  // Types each character at the caret, one EN_CHANGE per character.
  bool Type(int id, const std::string& text);

 private:
  HeadlessList* List(int id) const;
  HeadlessTree* Tree(int id) const;

  CDialog& dialog_;
  HeadlessWindow& window_;
  int turn_;
};

// The non-empty names between the backslashes of a path: "C:\Books\Demo" as "C:", "Books",
// "Demo".
std::vector<std::string> SplitBackslashPath(const std::string& path);

// A user without a screen: acts on each dialog whenever it waits for input, and answers
// message boxes.
class HeadlessUser {
 public:
  virtual ~HeadlessUser() = default;
  // Returns false to leave the dialog alone until a message is posted to it (the progress
  // dialog waits for the copy this way).
  virtual bool Act(UserDriver& driver) = 0;
  virtual MessageBoxResult AnswerMessageBox(const MessageBoxRequest& request) = 0;
};

}  // namespace setup
