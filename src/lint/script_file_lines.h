#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

// One line of a script as the runner reads it (ScriptTextReader), with where it lies in the
// file as an editor counts lines (CR LF, CR and LF each end one).
struct NumberedScriptLine {
  std::string text;
  // The line it starts on, from 1.
  size_t line = 0;
  // The line of the first line feed inside it that ends no script line (one not after a
  // carriage return), or 0.
  size_t bare_line_feed = 0;
};

// The lines the runner would run from the script text `text`, in order.
std::vector<NumberedScriptLine> ReadNumberedScriptLines(std::string_view text);

}  // namespace setup
