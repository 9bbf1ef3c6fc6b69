#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/shell_link_maker.h"
#include "platform/status.h"

namespace setup {

// Creates the shortcut `link_file` to `target` with `description`. A target ending in "\.."
// links the parent folder: the three characters are removed and the target is cut at its
// last '\' ("C:\Books\Demo\.." links "C:\Books"; with no '\' left the target is empty).
// The target is read a character at a time in `code_page`. Returns the outcome of the last
// step; callers ignore it.
Status CreateShellLink(ShellLinkMaker& links, const std::string& target,
                       const std::string& link_file, const std::string& description,
                       const CodePage& code_page);

}  // namespace setup
