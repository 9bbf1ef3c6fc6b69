#include "platform/command_line_quote.h"

namespace setup {

std::string QuoteCommandLineArgument(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos) {
    return std::string(argument);
  }
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count only before a quote: there each one is doubled, and the quote escaped.
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string BuildCommandLine(const std::string& program,
                             const std::vector<std::string>& arguments) {
  std::string line = QuoteCommandLineArgument(program);
  for (const auto& argument : arguments) {
    line += ' ';
    line += QuoteCommandLineArgument(argument);
  }
  return line;
}

}  // namespace setup
