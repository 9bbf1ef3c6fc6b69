#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "ui/framework/message_box.h"

namespace setup::testing {

// Records every message box and answers from a queue of canned answers, then with each
// box's default (first) button.
class RecordingMessageBox : public MessageBoxService {
 public:
  MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override;

  void QueueAnswer(MessageBoxResult answer);
  std::vector<MessageBoxRequest> shown() const;
  // The texts of all boxes shown, in order.
  std::vector<std::string> texts() const;

 private:
  mutable std::mutex mutex_;
  std::vector<MessageBoxRequest> shown_;
  std::deque<MessageBoxResult> answers_;
};

}  // namespace setup::testing
