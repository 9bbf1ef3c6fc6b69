#pragma once

#include <map>
#include <optional>
#include <string>

#include "config/ini_file.h"
#include "ui/framework/dialog_user.h"

namespace setup {

// The user of an unattended run, answering from the answers file:
//   [Options] Select = 1,3 | none (section numbers as in SETUP.INI), FolderN = path (through
//             Change Folder and the browse dialog, then given exactly), Drive = D (the drive
//             list), Button = Continue | Exit
//   [ConfirmReplace] Default, and per file by its name on the medium: Yes | YesToAll | No |
//             Cancel
//   [ExitConfirm] Default = Continue | Exit;  [RenameRetry] Default = Retry | Cancel
//   [Uninstall] Default = Yes | No (the one Yes/No question, whether to remove an entry)
// Each entry becomes the dialog's own answer value, which the dialog gives through the
// driver. Absent entries take the dialog's default button (the retry question: Cancel). It
// never leaves a run waiting or looping: when the Options dialog refuses to continue, it
// exits and confirms the exit; a retry question is answered Retry at most MAX_RETRIES times
// in a row; a replace question answered Cancel a second time in a row confirms the exit. The
// progress dialog is left alone: it ends when its copy does.
class AnswersUser : public DialogUser {
 public:
  static constexpr int MAX_RETRIES = 3;

  AnswersUser() = default;
  explicit AnswersUser(IniFile answers) : answers_(std::move(answers)) {}

  bool Act(UserDriver& driver) override;
  MessageBoxResult AnswerMessageBox(const MessageBoxRequest& request) override;

 private:
  std::optional<std::string> Find(const std::string& section, const std::string& key) const;
  bool ActOnOptions(UserDriver& driver);
  bool ActOnBrowse(UserDriver& driver);
  bool ActOnExit(UserDriver& driver);
  bool ActOnConfirmReplace(UserDriver& driver);
  bool ActByDefault(UserDriver& driver);

  IniFile answers_;
  bool forcing_exit_ = false;
  // The file whose replace question was last answered Cancel.
  std::optional<std::string> last_cancelled_;
  std::optional<std::string> browse_target_;
  std::map<std::string, int> retries_;
};

}  // namespace setup
