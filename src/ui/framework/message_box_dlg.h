#pragma once

#include "ui/framework/dialog.h"
#include "ui/framework/message_box.h"

namespace setup {

// The dialog template of a message box: icon at the left, the text, and the buttons in a
// row, the first the default. Button ids: OK 1, Cancel 2, Retry 4, Yes 6, No 7.
DialogTemplate MessageBoxTemplate(const MessageBoxRequest& request);
int MessageBoxButtonId(MessageBoxResult result);

// A message box realized as a dialog, for backends that show boxes as their own windows.
// Esc answers Cancel when the box has it, OK when OK is its only button, else nothing.
class CMessageBoxDlg : public CDialog {
 public:
  CMessageBoxDlg(WindowSystem& window_system, const MessageBoxRequest& request);
  const char* ClassName() const override { return "MessageBox"; }
  void OnCancel() override;
  // The button the box was closed with (its default when it ended otherwise).
  MessageBoxResult Answer() const;

 private:
  MessageBoxRequest m_request;
};

}  // namespace setup
