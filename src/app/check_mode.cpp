#include "app/check_mode.h"

#include "app/front_end.h"
#include "app/startup_checks.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "ui/framework/console_message_box.h"

namespace setup {

namespace {

// Counts the boxes that pass through to the console.
class CountingMessageBox : public MessageBoxService {
 public:
  explicit CountingMessageBox(MessageBoxService& target) : target_(target) {}
  MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override {
    ++count_;
    return target_.ShowMessageBox(request);
  }
  int count() const { return count_; }

 private:
  MessageBoxService& target_;
  int count_ = 0;
};

}  // namespace

int RunCheckMode(Host& host, std::ostream& out) {
  ConsoleMessageBox console(host.code_page(), out);
  CountingMessageBox messages(console);
  SetupConfig config(host.file_system(), host.code_page(), messages);
  SpecialFolders folders(host.system(), host.registry(), messages);
  if (MissingStartupFile(host.file_system(), messages)) return EXIT_STARTUP;
  return messages.count() == 0 ? EXIT_FINISHED : EXIT_FAILED;
}

}  // namespace setup
