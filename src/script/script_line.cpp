#include "script/script_line.h"

#include <string>

#include "platform/code_page_text.h"

namespace setup {

size_t SplitScriptLine(std::string_view line, ScriptArgs& args, const CodePage& code_page) {
  args.Clear();
  // The trailing space lets every unquoted field end at a space, and becomes part of an
  // unterminated quoted field.
  std::string text(line);
  text.push_back(' ');

  size_t count = 0;
  size_t pos = 0;
  while (pos < text.size() && count < SCRIPT_ARG_SLOTS) {
    if (text[pos] == '"') {
      size_t close = FindCharacter(code_page, text, '"', pos + 1);
      if (close == std::string::npos) {
        args[count] = text.substr(pos + 1);
        pos = text.size();
      } else {
        args[count] = text.substr(pos + 1, close - pos - 1);
        pos = close + 1;
      }
    } else {
      size_t space = FindCharacter(code_page, text, ' ', pos);
      args[count] = text.substr(pos, space - pos);
      pos = space;
    }
    ++count;
    while (pos < text.size() && text[pos] == ' ') ++pos;
  }
  return count;
}

}  // namespace setup
