#include "app/console_user.h"

#include <vector>

#include "config/ini_file.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/dialogs/options_dlg.h"
#include "ui/framework/dialog.h"
#include "ui/framework/dialog_snapshot.h"

namespace setup {

namespace {

constexpr const char* ANSWERS_WHEN_INPUT_ENDS =
    "[Options]\nButton = Exit\n[ExitConfirm]\nDefault = Exit\n[ConfirmReplace]\nDefault = "
    "Cancel\n[Uninstall]\nDefault = No\n";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A positive number written in digits only; 0 for anything else.
int Number(const std::string& text) {
  if (text.empty() || text.size() > 4 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return std::stoi(text);
}

bool IsButton(ControlKind kind) {
  return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton;
}

// The first control of `kind` in the dialog's template, or 0.
int FirstOfKind(const CDialog& dialog, ControlKind kind) {
  for (const ControlTemplate& control : dialog.dialog_template().controls) {
    if (control.kind == kind) return control.id;
  }
  return 0;
}

// The push buttons a person could press now, in tab order.
std::vector<int> Buttons(const CDialog& dialog) {
  std::vector<int> ids;
  for (const ControlTemplate& control : dialog.dialog_template().controls) {
    const Control* item = dialog.GetDlgItem(control.id);
    if (IsButton(control.kind) && item && item->IsVisible() && item->IsEnabled()) {
      ids.push_back(control.id);
    }
  }
  return ids;
}

// A button's label without its mnemonic marks ("&Yes" as "Yes", "&&" as "&").
std::string Label(const std::string& text) {
  std::string label;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    label.push_back(text[i]);
  }
  return label;
}

bool IsFullPath(const std::string& text) {
  return text.size() >= 3 && text[1] == ':' && text[2] == '\\' &&
         ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

}  // namespace

ConsoleUser::ConsoleUser(const CodePage& code_page, std::istream& in, std::ostream& out)
    : code_page_(code_page), in_(in), out_(out), ended_(IniFile::Parse(ANSWERS_WHEN_INPUT_ENDS)) {}

std::optional<std::string> ConsoleUser::ReadLine() {
  std::string line;
  if (input_ended_ || !std::getline(in_, line)) {
    input_ended_ = true;
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return Trimmed(line);
}

void ConsoleUser::ShowDialog(UserDriver& driver) {
  const CDialog& dialog = driver.dialog();
  const DialogSnapshot shown = TakeSnapshot(dialog);
  out_ << "\n== " << code_page_.ToUtf8(shown.caption) << " ==\n";
  for (const auto& [id, text] : shown.controls) {
    const ControlTemplate* control = dialog.dialog_template().Find(id);
    if (text.empty() || (control && IsButton(control->kind))) continue;
    out_ << code_page_.ToUtf8(text) << "\n";
  }
  for (size_t i = 0; i < shown.items.size(); ++i) {
    out_ << "  [" << (shown.items[i].second ? 'x' : ' ') << "] " << i + 1 << ". "
         << code_page_.ToUtf8(shown.items[i].first) << "\n";
  }
  const std::vector<int> buttons = Buttons(dialog);
  for (size_t i = 0; i < buttons.size(); ++i) {
    out_ << (i == 0 ? "" : "  ") << i + 1 << ") "
         << code_page_.ToUtf8(Label(dialog.GetControlText(buttons[i])));
  }
  out_ << "\n";
  out_ << "Type a button's number (Enter: the default button)";
  if (shown.has_items) out_ << ", t N to tick or clear item N";
  const Control* change_folder = dialog.GetDlgItem(OptionsIds::CHANGE_FOLDER);
  if (driver.kind() == KindOf(InstallDialog::Options) && change_folder &&
      change_folder->IsVisible()) {
    out_ << ", f N FOLDER to install item N into FOLDER";
  }
  if (FirstOfKind(dialog, ControlKind::TreeView)) out_ << ", or a folder such as C:\\Books";
  out_ << ".\n> " << std::flush;
}

bool ConsoleUser::ActOnLine(UserDriver& driver, const std::string& line) {
  const CDialog& dialog = driver.dialog();
  if (line.empty()) return driver.PressEnter();
  if (const int number = Number(line); number != 0) {
    const std::vector<int> buttons = Buttons(dialog);
    return number <= static_cast<int>(buttons.size()) && driver.Click(buttons[number - 1]);
  }
  const std::string word = line.substr(0, line.find(' '));
  const std::string rest = Trimmed(line.substr(word.size()));
  // The Options dialog's check list is the only one, made when the dialog opens.
  if ((word == "t" || word == "T") && dialog.GetList(OptionsIds::CHECK_LIST) != nullptr) {
    const int item = Number(rest);
    return item != 0 && driver.ClickListItem(OptionsIds::CHECK_LIST, item - 1, true);
  }
  if ((word == "f" || word == "F") && driver.kind() == KindOf(InstallDialog::Options)) {
    const std::string number = rest.substr(0, rest.find(' '));
    const std::string folder = Trimmed(rest.substr(number.size()));
    const int item = Number(number);
    if (item == 0 || item > COptionsDlg::ListedSections(driver) || !IsFullPath(folder)) {
      return false;
    }
    return COptionsDlg::GiveFolder(driver, item, code_page_.FromUtf8(folder), browse_target_);
  }
  if (FirstOfKind(dialog, ControlKind::TreeView) && IsFullPath(line)) {
    return CBrowseDlg::GiveAnswer(driver, code_page_.FromUtf8(line));
  }
  return false;
}

bool ConsoleUser::Act(UserDriver& driver) {
  const std::optional<InstallDialog> dialog = FindInstallDialog(driver.kind());
  // The progress dialog ends by itself when the copy is done.
  if (dialog == InstallDialog::Installing) return false;
  if (dialog == InstallDialog::Browse && browse_target_) {
    const std::string folder = *browse_target_;
    browse_target_.reset();
    return CBrowseDlg::GiveAnswer(driver, folder);
  }
  if (input_ended_) return ended_.Act(driver);
  ShowDialog(driver);
  for (;;) {
    const std::optional<std::string> line = ReadLine();
    if (!line) return ended_.Act(driver);
    if (ActOnLine(driver, *line)) return true;
    out_ << "Not understood here: '" << *line << "'. Try again.\n> " << std::flush;
  }
}

MessageBoxResult ConsoleUser::AnswerMessageBox(const MessageBoxRequest& request) {
  const std::vector<MessageBoxResult> buttons = ButtonsOf(request.buttons);
  if (input_ended_) return ended_.AnswerMessageBox(request);
  out_ << "\n== " << code_page_.ToUtf8(request.caption) << " ==\n"
       << code_page_.ToUtf8(request.text) << "\n";
  for (size_t i = 0; i < buttons.size(); ++i) {
    out_ << (i == 0 ? "" : "  ") << i + 1 << ") " << ButtonName(buttons[i]);
  }
  out_ << "\nType a button's number (Enter: " << ButtonName(buttons.front()) << ").\n> "
       << std::flush;
  for (;;) {
    const std::optional<std::string> line = ReadLine();
    if (!line) return ended_.AnswerMessageBox(request);
    if (line->empty()) return buttons.front();
    const int number = Number(*line);
    if (number >= 1 && number <= static_cast<int>(buttons.size())) return buttons[number - 1];
    out_ << "Not understood here: '" << *line << "'. Try again.\n> " << std::flush;
  }
}

}  // namespace setup
