#include "ui/framework/console_message_box.h"

namespace setup {

MessageBoxResult ConsoleMessageBox::ShowMessageBox(const MessageBoxRequest& request) {
  // One paragraph per box; the lock keeps boxes from the install worker whole.
  std::lock_guard<std::mutex> lock(mutex_);
  out_ << code_page_.ToUtf8(request.caption) << ": " << code_page_.ToUtf8(request.text) << "\n\n";
  out_.flush();
  return ButtonsOf(request.buttons).front();
}

}  // namespace setup
