#include "config/setup_keys.h"

namespace setup {

const char* const SETTING_NAMES[SETTING_COUNT] = {
    "MainProdName",     "FilesCompressed",    "UseUnderscores",
    "NumberOfSections", "ChangeFolderButton", "VolumeName",
};

const char* const SECTION_KEY_NAMES[SECTION_KEY_COUNT] = {
    "CodeDir",  "DestDir",          "ProductName", "ShortcutLocation", "ShortcutName",
    "FileSize", "InstallByDefault", "CommandFile", "Uninstall",
};

}  // namespace setup
