#pragma once

#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"

namespace setup {

// The current section's source directory on the disc: CodeDir below the start directory,
// CodeDir itself when it begins with a backslash, "Code" without a valid configuration.
std::string SectionSourceDirectory(const SetupConfig& config, const SpecialFolders& folders,
                                   const CodePage& code_page);

}  // namespace setup
