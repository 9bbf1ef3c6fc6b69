#pragma once

#include <string>
#include <vector>

#include "config/ini_file.h"
#include "config/setup_config.h"
#include "platform/file_system.h"

namespace setup {

// Checks the answers file against the loaded SETUP.INI before anything is written, so a
// mistyped answer stops the run instead of installing something else. Known sections and
// keys: [Options] Select, FolderN, Drive, Button; [ConfirmReplace] Default and any file
// name; [ExitConfirm] Default; [RenameRetry] Default. Names and words are matched without
// regard to case. Section numbers must lie within NumberOfSections; a folder must be a full
// path on a mapped drive that can be written to. Returns one "FILE:LINE: message" per
// mistake, in line order (`file_name` is the file as named on the command line); empty
// when the file is sound.
std::vector<std::string> CheckAnswers(const IniFile& answers, const std::string& file_name,
                                      const SetupConfig& config, FileSystem& fs);

}  // namespace setup
