#include "ui/dialogs/answers_user.h"

#include <set>

#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/dialogs/options_dlg.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

// "1, 3" as {1, 3}; tokens that are not numbers are ignored.
std::set<int> ParseSelection(const std::string& text) {
  std::set<int> numbers;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string token = text.substr(start, end - start);
    size_t first = token.find_first_not_of(" \t");
    size_t last = token.find_last_not_of(" \t");
    if (first != std::string::npos) {
      token = token.substr(first, last - first + 1);
      if (!token.empty() && token.size() < 4 &&
          token.find_first_not_of("0123456789") == std::string::npos) {
        numbers.insert(std::stoi(token));
      }
    }
    start = end + 1;
  }
  return numbers;
}

// An answer to the replace question by its name in the answers file; nullopt for any other
// word.
std::optional<CConfirmReplaceDlg::Answer> ParseReplaceAnswer(const std::string& word) {
  using Answer = CConfirmReplaceDlg::Answer;
  if (EqualsNoCaseAscii(word, "YesToAll")) return Answer::YesToAll;
  if (EqualsNoCaseAscii(word, "No")) return Answer::No;
  if (EqualsNoCaseAscii(word, "Cancel")) return Answer::Cancel;
  if (EqualsNoCaseAscii(word, "Yes")) return Answer::Yes;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> AnswersUser::Find(const std::string& section,
                                             const std::string& key) const {
  return answers_.Find(section, key);
}

bool AnswersUser::Act(UserDriver& driver) {
  std::optional<InstallDialog> dialog = FindInstallDialog(driver.kind());
  if (!dialog) return ActByDefault(driver);
  switch (*dialog) {
    case InstallDialog::Options:
      return ActOnOptions(driver);
    case InstallDialog::Browse:
      return ActOnBrowse(driver);
    case InstallDialog::Exit:
      return ActOnExit(driver);
    case InstallDialog::ConfirmReplace:
      return ActOnConfirmReplace(driver);
    case InstallDialog::Installing:
      // The progress dialog ends by itself when the copy is done.
      return false;
    default:
      return ActByDefault(driver);
  }
}

bool AnswersUser::ActByDefault(UserDriver& driver) {
  if (driver.turn() > 0) return driver.PressEsc();
  return driver.PressDefault();
}

bool AnswersUser::ActOnOptions(UserDriver& driver) {
  if (driver.turn() > 0) {
    // The dialog refused to continue: leave it, confirming the exit.
    forcing_exit_ = true;
    return driver.PressEsc();
  }
  COptionsDlg::Answer answer;
  if (auto drive = Find("Options", "Drive"); drive && !drive->empty()) {
    answer.drive = UpperAscii((*drive)[0]);
  }
  const int count = COptionsDlg::ListedSections(driver);
  for (int n = 1; n <= count; ++n) {
    auto folder = Find("Options", "Folder" + std::to_string(n));
    if (folder && !folder->empty()) answer.folders[n] = *folder;
  }
  if (auto select = Find("Options", "Select")) {
    answer.selection =
        EqualsNoCaseAscii(*select, "none") ? std::set<int>{} : ParseSelection(*select);
  }
  auto button = Find("Options", "Button");
  if (button && EqualsNoCaseAscii(*button, "Exit")) {
    answer.button = COptionsDlg::Button::Exit;
    forcing_exit_ = true;
  }
  return COptionsDlg::GiveAnswer(driver, answer, browse_target_);
}

bool AnswersUser::ActOnBrowse(UserDriver& driver) {
  if (!browse_target_ || driver.turn() > 0) {
    browse_target_.reset();
    return ActByDefault(driver);
  }
  const std::string folder = *browse_target_;
  browse_target_.reset();
  return CBrowseDlg::GiveAnswer(driver, folder);
}

bool AnswersUser::ActOnExit(UserDriver& driver) {
  auto answer = Find("ExitConfirm", "Default");
  bool keep_going = answer && EqualsNoCaseAscii(*answer, "Continue");
  if (forcing_exit_ || driver.turn() > 0 || !keep_going) {
    forcing_exit_ = false;
    return CExitDlg::GiveAnswer(driver, CExitDlg::Answer::Exit);
  }
  return CExitDlg::GiveAnswer(driver, CExitDlg::Answer::Continue);
}

bool AnswersUser::ActOnConfirmReplace(UserDriver& driver) {
  if (driver.turn() > 0) return driver.PressEsc();
  std::optional<std::string> word;
  std::string file_name;
  if (auto* dialog = dynamic_cast<CConfirmReplaceDlg*>(&driver.dialog())) {
    file_name = dialog->m_strFileName;
    word = Find("ConfirmReplace", file_name);
  }
  if (!word) word = Find("ConfirmReplace", "Default");
  const std::optional<CConfirmReplaceDlg::Answer> answer =
      word ? ParseReplaceAnswer(*word) : std::nullopt;
  const bool cancel = answer == CConfirmReplaceDlg::Answer::Cancel;
  // Continue in the exit confirmation asks the same question again; the second Cancel for
  // one file confirms the exit, so the two answers cannot loop.
  if (cancel && last_cancelled_ == file_name) forcing_exit_ = true;
  last_cancelled_ = cancel ? std::optional<std::string>(file_name) : std::nullopt;
  if (answer) return CConfirmReplaceDlg::GiveAnswer(driver, *answer);
  return driver.PressDefault();
}

MessageBoxResult AnswersUser::AnswerMessageBox(const MessageBoxRequest& request) {
  if (request.buttons == MessageBoxButtons::RetryCancel) {
    auto answer = Find("RenameRetry", "Default");
    int& retries = retries_[request.text];
    if (answer && EqualsNoCaseAscii(*answer, "Retry") && retries < MAX_RETRIES) {
      ++retries;
      return MessageBoxResult::Retry;
    }
    retries = 0;
    return MessageBoxResult::Cancel;
  }
  if (request.buttons == MessageBoxButtons::YesNo) {
    auto answer = Find("Uninstall", "Default");
    return answer && EqualsNoCaseAscii(*answer, "No") ? MessageBoxResult::No
                                                      : MessageBoxResult::Yes;
  }
  return ButtonsOf(request.buttons).front();
}

}  // namespace setup
