#pragma once

#include <string>

#include "platform/code_page.h"
#include "ui/framework/controls.h"
#include "ui/framework/dialog.h"

namespace setup {

// The hands of a scripted user on the dialog being shown: everything a person could do with
// mouse and keyboard, by control id. Each backend implements it on its own controls. Acting
// on a control that is hidden, disabled or missing does nothing and returns false.
class UserDriver {
 public:
  virtual ~UserDriver() = default;

  virtual CDialog& dialog() = 0;
  // How often the user has acted on this dialog before.
  virtual int turn() const = 0;
  // The code page of the dialog's texts, in which paths are split and typed.
  virtual const CodePage& code_page() const = 0;

  // The dialog's class name (its "kind" in the transcript).
  std::string kind() { return dialog().ClassName(); }
  std::string Text(int id) { return dialog().GetControlText(id); }
  std::string Caption() { return dialog().GetCaptionText(); }

  virtual bool Click(int id) = 0;
  // Enter presses the focused push button, else the default button, else OK.
  virtual bool PressEnter() = 0;
  virtual bool PressEsc() = 0;
  // The template's default push button.
  virtual bool PressDefault() = 0;
  // A click on an item's check box or on its text.
  virtual bool ClickListItem(int id, int index, bool on_check_box) = 0;
  // Chooses the combo entry equal to `text` (case ignored) and sends NOTIFY_COMBO_SELCHANGE.
  virtual bool PickCombo(int id, const std::string& text) = 0;
  // Tree items by path of texts: "C:\", "C:\Books\Demo" (case ignored, characters in the
  // dialog's code page); 0 when absent.
  virtual TreeItem FindTreeItem(int id, const std::string& path) = 0;
  virtual bool ExpandTreeItem(int id, const std::string& path) = 0;
  virtual bool CollapseTreeItem(int id, const std::string& path) = 0;
  virtual bool SelectTreeItem(int id, const std::string& path) = 0;
  // Types each character at the caret, one NOTIFY_EDIT_CHANGE per character.
  virtual bool Type(int id, const std::string& text) = 0;
};

}  // namespace setup
