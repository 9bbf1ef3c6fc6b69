#include "ui/backends/headless/scripted_user.h"

namespace setup {

void ScriptedUser::When(const std::string& kind, Step step) {
  std::lock_guard<std::mutex> lock(mutex_);
  steps_[kind].push_back(std::move(step));
}

size_t ScriptedUser::PendingSteps() const {
  std::lock_guard<std::mutex> lock(mutex_);
  size_t count = 0;
  for (const auto& [kind, steps] : steps_) count += steps.size();
  return count;
}

bool ScriptedUser::Act(UserDriver& driver) {
  Step step;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = steps_.find(driver.kind());
    if (it != steps_.end() && !it->second.empty()) {
      step = std::move(it->second.front());
      it->second.pop_front();
    }
  }
  if (!step) return fallback_.Act(driver);
  step(driver);
  return true;
}

MessageBoxResult ScriptedUser::AnswerMessageBox(const MessageBoxRequest& request) {
  return fallback_.AnswerMessageBox(request);
}

}  // namespace setup
