#pragma once

#include <string>

#include "config/ini_file.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace setup {

// What the lint reads: the disc through the file system (current directory: the start
// directory), SETUP.INI as loaded and as text, and the folder table with the start
// directory set and every DestDir's macro expanded (PrepareInstall), so paths read as the
// install would see them. References outlive the lint.
struct LintContext {
  FileSystem& fs;
  const CodePage& code_page;
  SetupConfig& config;
  const SpecialFolders& folders;
  const IniFile& setup_ini;
  const IniFile& setup_txt;
};

// How findings name the two files.
inline constexpr char LINT_SETUP_INI[] = "SETUP.INI";
inline constexpr char LINT_SETUP_TXT[] = "SETUP.TXT";

}  // namespace setup
