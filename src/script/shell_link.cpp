#include "script/shell_link.h"

#include "platform/code_page_text.h"

namespace setup {

Status CreateShellLink(ShellLinkMaker& links, const std::string& target,
                       const std::string& link_file, const std::string& description,
                       const CodePage& code_page) {
  std::string linked = target;
  // The last character that is a backslash starts "\..", which ends the target.
  const size_t last_backslash = FindLastCharacter(code_page, linked, "\\");
  if (last_backslash != std::string::npos && linked.size() == last_backslash + 3 &&
      linked.compare(last_backslash, 3, "\\..") == 0) {
    linked.resize(last_backslash);
    size_t backslash = FindLastCharacter(code_page, linked, "\\");
    linked.resize(backslash == std::string::npos ? 0 : backslash);
  }
  return links.CreateLink(linked, link_file, description);
}

}  // namespace setup
