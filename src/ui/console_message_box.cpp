#include "ui/console_message_box.h"

namespace setup {

MessageBoxResult ConsoleMessageBox::ShowMessageBox(const MessageBoxRequest& request) {
  out_ << code_page_.ToUtf8(request.caption) << ": " << code_page_.ToUtf8(request.text) << "\n";
  out_.flush();
  return ButtonsOf(request.buttons).front();
}

}  // namespace setup
