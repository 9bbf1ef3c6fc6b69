#include "script/script_line.h"

#include <string>

namespace setup {

size_t SplitScriptLine(std::string_view line, ScriptArgs& args) {
  args.Clear();
  // The trailing space lets every unquoted field end at a space, and becomes part of an
  // unterminated quoted field.
  std::string text(line);
  text.push_back(' ');

  size_t count = 0;
  size_t pos = 0;
  while (pos < text.size() && count < SCRIPT_ARG_SLOTS) {
    if (text[pos] == '"') {
      size_t close = text.find('"', pos + 1);
      if (close == std::string::npos) {
        args[count] = text.substr(pos + 1);
        pos = text.size();
      } else {
        args[count] = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
      }
    } else {
      size_t space = text.find(' ', pos);
      args[count] = text.substr(pos, space - pos);
      pos = space;
    }
    ++count;
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  return count;
}

}  // namespace setup
