#pragma once

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "platform/code_page.h"
#include "ui/dialogs/answers_user.h"
#include "ui/framework/dialog_user.h"

namespace setup {

// The user at a terminal without a display: each dialog and message box is printed to `out`
// (caption, texts, the check list's items, numbered buttons) and answered by a line read
// from `in`:
//   N          presses button N          (empty line: the default button, as Enter does)
//   t N        ticks or clears item N of the check list
//   f N PATH   gives section N the folder PATH (through Change Folder, as the answers file
//              does)
//   PATH       in the browse dialog: chooses that folder
// A line it cannot use is explained and asked again. When `in` ends, the run ends as if
// Exit were chosen and confirmed, and the uninstall question is answered No. The progress dialog is
// left alone. Texts are shown in UTF-8 and typed folders converted to the code page.
class ConsoleUser : public DialogUser {
 public:
  ConsoleUser(const CodePage& code_page, std::istream& in, std::ostream& out);

  bool Act(UserDriver& driver) override;
  MessageBoxResult AnswerMessageBox(const MessageBoxRequest& request) override;

 private:
  // The next line of input; nullopt when it has ended.
  std::optional<std::string> ReadLine();
  void ShowDialog(UserDriver& driver);
  // Acts on one line; false when the line means nothing in this dialog.
  bool ActOnLine(UserDriver& driver, const std::string& line);

  const CodePage& code_page_;
  std::istream& in_;
  std::ostream& out_;
  // Answers once the input has ended: Exit, confirmed.
  AnswersUser ended_;
  bool input_ended_ = false;
  std::optional<std::string> browse_target_;
};

}  // namespace setup
