#include "lint/script_file_lines.h"

#include "script/script_text_reader.h"

namespace setup {

std::vector<NumberedScriptLine> ReadNumberedScriptLines(std::string_view text) {
  std::vector<NumberedScriptLine> lines;
  NumberedScriptLine pending;
  ScriptTextReader reader([&](std::string_view line) {
    pending.text = std::string(line);
    lines.push_back(std::move(pending));
    pending = NumberedScriptLine();
  });
  size_t editor_line = 1;
  // Whether the reader is skipping line ends after a carriage return.
  bool after_cr = false;
  char previous = '\0';
  for (char c : text) {
    const bool line_end = c == '\r' || c == '\n';
    if (!line_end) {
      after_cr = false;
      if (pending.line == 0 && c != '\0') pending.line = editor_line;
    } else if (c == '\n' && !after_cr) {
      // The reader keeps this line feed as text of the line.
      if (pending.line == 0) pending.line = editor_line;
      if (pending.bare_line_feed == 0) pending.bare_line_feed = editor_line;
    }
    if (!reader.Feed(std::string_view(&c, 1))) break;
    if (c == '\r') after_cr = true;
    if (c == '\r' || (c == '\n' && previous != '\r')) ++editor_line;
    previous = c;
  }
  reader.Finish();
  return lines;
}

}  // namespace setup
