#pragma once

#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"

namespace setup {

// What the install sequence fixes before the Options dialog: FOLDER_STARTDIR and
// FOLDER_WORKDIR become `start_dir` with a trailing backslash, and every section's DestDir
// has its path macro expanded. Leaves the section cursor at the first section.
void PrepareInstall(SetupConfig& config, SpecialFolders& folders, const CodePage& code_page,
                    const std::string& start_dir);

}  // namespace setup
