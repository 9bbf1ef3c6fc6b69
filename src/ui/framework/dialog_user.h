#pragma once

#include "ui/framework/message_box.h"
#include "ui/framework/user_driver.h"

namespace setup {

// The user a backend consults instead of a person (unattended runs, tests): it acts on each
// modal dialog whenever the dialog waits for input, and answers message boxes.
class DialogUser {
 public:
  virtual ~DialogUser() = default;
  // Returns false to leave the dialog alone until a message is posted to it (the progress
  // dialog waits for the copy this way).
  virtual bool Act(UserDriver& driver) = 0;
  virtual MessageBoxResult AnswerMessageBox(const MessageBoxRequest& request) = 0;
};

}  // namespace setup
