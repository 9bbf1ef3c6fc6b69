#include "script/path_split.h"

#include "platform/code_page_text.h"

namespace setup {

PathParts SplitPath(const std::string& path, const CodePage& code_page) {
  PathParts parts;
  size_t pos = 0;
  if (path.size() >= 2 && path[1] == ':') {
    parts.drive = path.substr(0, 2);
    pos = 2;
  }
  size_t last_separator = FindLastCharacter(code_page, path, "\\/");
  if (last_separator != std::string::npos && last_separator >= pos) {
    parts.directory = path.substr(pos, last_separator + 1 - pos);
    pos = last_separator + 1;
  }
  std::string rest = path.substr(pos);
  size_t dot = FindLastCharacter(code_page, rest, ".");
  if (dot != std::string::npos) {
    parts.extension = rest.substr(dot);
    rest.resize(dot);
  }
  parts.name = std::move(rest);
  return parts;
}

}  // namespace setup
