#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace setup {

// One argument quoted so that the C runtime's parser of a Windows command line gives it back
// exactly: left as it is when it holds no blank, tab, newline or double quote (and is not
// empty), else in double quotes, with every quote escaped and the backslashes before a quote
// (or the closing one) doubled.
std::string QuoteCommandLineArgument(std::string_view argument);

// The command line that starts `program` with `arguments`, each one argument: every part
// quoted as above and joined by single blanks.
std::string BuildCommandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace setup
