#include "ui/backends/headless/answers_user.h"

#include <set>
#include <vector>

#include "ui/backends/headless/headless_window.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/options_dlg.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

constexpr int OPTIONS_LIST = COptionsDlg::CHECK_LIST_ID;

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

std::string JoinPath(const std::string& base, const std::string& name) {
  return !base.empty() && base.back() == '\\' ? base + name : base + "\\" + name;
}

}  // namespace

std::optional<std::string> AnswersUser::Find(const std::string& section,
                                             const std::string& key) const {
  return answers_.Find(section, key);
}

bool AnswersUser::Act(UserDriver& driver) {
  std::string kind = driver.kind();
  if (kind == "COptionsDlg") return ActOnOptions(driver);
  if (kind == "CBrowseDlg") return ActOnBrowse(driver);
  if (kind == "CExitDlg") return ActOnExit(driver);
  if (kind == "CConfirmReplaceDlg") return ActOnConfirmReplace(driver);
  // The progress dialog ends by itself when the copy is done.
  if (kind == "CInstallingDlg") return false;
  return ActByDefault(driver);
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
  if (auto drive = Find("Options", "Drive"); drive && !drive->empty()) {
    driver.PickCombo(1001, std::string("[") + UpperAscii((*drive)[0]) + "]");
  }
  ListControl* list = driver.dialog().GetList(OPTIONS_LIST);
  int count = list ? list->GetCount() : 0;
  for (int n = 1; n <= count; ++n) {
    auto folder = Find("Options", "Folder" + std::to_string(n));
    if (!folder || folder->empty()) continue;
    driver.ClickListItem(OPTIONS_LIST, n - 1, false);
    browse_target_ = *folder;
    if (!driver.Click(1006)) browse_target_.reset();
  }
  if (auto select = Find("Options", "Select")) {
    std::set<int> chosen =
        EqualsNoCaseAscii(*select, "none") ? std::set<int>{} : ParseSelection(*select);
    for (int i = 0; i < count; ++i) {
      bool want = chosen.count(i + 1) != 0;
      if ((list->GetCheck(i) == 1) != want) driver.ClickListItem(OPTIONS_LIST, i, true);
    }
  }
  auto button = Find("Options", "Button");
  if (button && EqualsNoCaseAscii(*button, "Exit")) {
    forcing_exit_ = true;
    return driver.Click(IDCANCEL);
  }
  return driver.Click(IDOK);
}

bool AnswersUser::ActOnBrowse(UserDriver& driver) {
  if (!browse_target_ || driver.turn() > 0) {
    browse_target_.reset();
    return ActByDefault(driver);
  }
  std::vector<std::string> parts = SplitBackslashPath(*browse_target_);
  browse_target_.reset();
  if (parts.empty()) return driver.Click(IDCANCEL);
  std::string at = parts[0] + "\\";
  if (driver.FindTreeItem(1016, at) == 0) return driver.Click(IDCANCEL);
  size_t next = 1;
  for (; next < parts.size(); ++next) {
    std::string child = JoinPath(at, parts[next]);
    if (driver.FindTreeItem(1016, child) == 0) {
      driver.ExpandTreeItem(1016, at);
      if (driver.FindTreeItem(1016, child) == 0) break;
    }
    at = child;
  }
  driver.SelectTreeItem(1016, at);
  std::string rest;
  for (size_t i = next; i < parts.size(); ++i) rest += (rest.empty() ? "" : "\\") + parts[i];
  if (!rest.empty()) driver.Type(1015, rest);
  return driver.Click(IDOK);
}

bool AnswersUser::ActOnExit(UserDriver& driver) {
  auto answer = Find("ExitConfirm", "Default");
  bool keep_going = answer && EqualsNoCaseAscii(*answer, "Continue");
  if (forcing_exit_ || driver.turn() > 0 || !keep_going) {
    forcing_exit_ = false;
    return driver.Click(IDCANCEL);
  }
  return driver.Click(IDOK);
}

bool AnswersUser::ActOnConfirmReplace(UserDriver& driver) {
  if (driver.turn() > 0) return driver.PressEsc();
  std::optional<std::string> answer;
  std::string file_name;
  if (auto* dialog = dynamic_cast<CConfirmReplaceDlg*>(&driver.dialog())) {
    file_name = dialog->m_strFileName;
    answer = Find("ConfirmReplace", file_name);
  }
  if (!answer) answer = Find("ConfirmReplace", "Default");
  const bool cancel = answer && EqualsNoCaseAscii(*answer, "Cancel");
  // Continue in the exit confirmation asks the same question again; the second Cancel for
  // one file confirms the exit, so the two answers cannot loop.
  if (cancel && last_cancelled_ == file_name) forcing_exit_ = true;
  last_cancelled_ = cancel ? std::optional<std::string>(file_name) : std::nullopt;
  if (answer) {
    if (EqualsNoCaseAscii(*answer, "YesToAll")) return driver.Click(1001);
    if (EqualsNoCaseAscii(*answer, "No")) return driver.Click(1006);
    if (cancel) return driver.Click(IDCANCEL);
    if (EqualsNoCaseAscii(*answer, "Yes")) return driver.Click(IDOK);
  }
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
  return ButtonsOf(request.buttons).front();
}

}  // namespace setup
