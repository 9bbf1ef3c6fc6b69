#include "script/shell_link.h"

namespace setup {

Status CreateShellLink(ShellLinkMaker& links, const std::string& target,
                       const std::string& link_file, const std::string& description) {
  std::string linked = target;
  if (linked.size() >= 3 && linked.compare(linked.size() - 3, 3, "\\..") == 0) {
    linked.resize(linked.size() - 3);
    size_t backslash = linked.rfind('\\');
    linked.resize(backslash == std::string::npos ? 0 : backslash);
  }
  return links.CreateLink(linked, link_file, description);
}

}  // namespace setup
