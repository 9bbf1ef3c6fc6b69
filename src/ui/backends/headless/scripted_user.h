#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>

#include "ui/framework/dialog_user.h"

namespace setup {

// A user driven from C++ (tests): steps queued per dialog class run, one per turn, when a
// dialog of that class waits for input; message-box answers are taken from a queue. Anything
// without a queued step is handed to the fallback user.
class ScriptedUser : public DialogUser {
 public:
  using Step = std::function<void(UserDriver&)>;

  explicit ScriptedUser(DialogUser& fallback) : fallback_(fallback) {}

  // `kind` is the dialog's class name, as the transcript writes it.
  void When(const std::string& kind, Step step);
  // Steps not yet taken, over all classes.
  size_t PendingSteps() const;

  bool Act(UserDriver& driver) override;
  MessageBoxResult AnswerMessageBox(const MessageBoxRequest& request) override;

 private:
  DialogUser& fallback_;
  mutable std::mutex mutex_;
  std::map<std::string, std::deque<Step>> steps_;
};

}  // namespace setup
