#pragma once

#include <mutex>
#include <ostream>

#include "platform/code_page.h"
#include "ui/framework/message_box.h"

namespace setup {

// Prints each message box to a stream (standard error) as "caption: text" in UTF-8 and
// answers it with its default button: the message boxes of a run without windows. Each box
// is one paragraph (followed by an empty line). Safe to call from several threads.
class ConsoleMessageBox : public MessageBoxService {
 public:
  ConsoleMessageBox(const CodePage& code_page, std::ostream& out)
      : code_page_(code_page), out_(out) {}
  MessageBoxResult ShowMessageBox(const MessageBoxRequest& request) override;

 private:
  const CodePage& code_page_;
  std::ostream& out_;
  std::mutex mutex_;
};

}  // namespace setup
