#include "recording_message_box.h"

namespace setup::testing {

MessageBoxResult RecordingMessageBox::ShowMessageBox(const MessageBoxRequest& request) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_.push_back(request);
  if (!answers_.empty()) {
    MessageBoxResult answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  return ButtonsOf(request.buttons).front();
}

void RecordingMessageBox::QueueAnswer(MessageBoxResult answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  answers_.push_back(answer);
}

std::vector<MessageBoxRequest> RecordingMessageBox::shown() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

std::vector<std::string> RecordingMessageBox::texts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> result;
  for (const auto& box : shown_) result.push_back(box.text);
  return result;
}

}  // namespace setup::testing
