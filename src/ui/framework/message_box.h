#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace setup {

enum class MessageBoxIcon { None, Warning, Error, Information, Question };
enum class MessageBoxButtons { Ok, OkCancel, RetryCancel, YesNo, YesNoCancel };
enum class MessageBoxResult { Ok, Cancel, Retry, Yes, No };

// One message box as the program asks for it. Texts are in the disc's code page.
struct MessageBoxRequest {
  std::string caption;
  std::string text;
  MessageBoxIcon icon = MessageBoxIcon::Warning;
  MessageBoxButtons buttons = MessageBoxButtons::Ok;
};

// Every message box of the program goes through this interface, so a window backend can
// show it, an unattended run can answer it and a test can record it. May be called from the
// install worker thread; implementations marshal to their user-interface thread.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  // Shows the box and returns the button pressed.
  virtual MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) = 0;
};

// The caption of the application's own message boxes.
inline constexpr char APP_CAPTION[] = "Setup";

// Names as the transcript writes them: "warning", "OK", "Retry".
inline const char* IconName(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Warning:
      return "warning";
    case MessageBoxIcon::Error:
      return "error";
    case MessageBoxIcon::Information:
      return "information";
    case MessageBoxIcon::Question:
      return "question";
    case MessageBoxIcon::None:
      break;
  }
  return "none";
}

inline const char* ButtonName(MessageBoxResult result) {
  switch (result) {
    case MessageBoxResult::Ok:
      return "OK";
    case MessageBoxResult::Cancel:
      return "Cancel";
    case MessageBoxResult::Retry:
      return "Retry";
    case MessageBoxResult::Yes:
      return "Yes";
    case MessageBoxResult::No:
      return "No";
  }
  return "OK";
}

// The buttons of a box in the order shown; the first is the default.
inline std::vector<MessageBoxResult> ButtonsOf(MessageBoxButtons buttons) {
  using R = MessageBoxResult;
  switch (buttons) {
    case MessageBoxButtons::Ok:
      return {R::Ok};
    case MessageBoxButtons::OkCancel:
      return {R::Ok, R::Cancel};
    case MessageBoxButtons::RetryCancel:
      return {R::Retry, R::Cancel};
    case MessageBoxButtons::YesNo:
      return {R::Yes, R::No};
    case MessageBoxButtons::YesNoCancel:
      return {R::Yes, R::No, R::Cancel};
  }
  return {R::Ok};
}

// `answer` when the box has that button, else its default: a user cannot click a button the
// box does not show.
inline MessageBoxResult OneOfTheButtons(MessageBoxResult answer, MessageBoxButtons buttons) {
  const std::vector<MessageBoxResult> shown = ButtonsOf(buttons);
  return std::find(shown.begin(), shown.end(), answer) == shown.end() ? shown.front() : answer;
}

}  // namespace setup
