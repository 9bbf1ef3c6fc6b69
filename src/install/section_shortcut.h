#pragma once

#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "platform/shell_link_maker.h"
#include "script/install_record.h"

namespace setup {

// The link the section shortcut step makes for the current section: "folder\ShortcutName.Lnk"
// in the folder its ShortcutLocation picks (see below), or "" when it makes none.
std::string SectionShortcutPath(const SetupConfig& config, const SpecialFolders& folders,
                                const CodePage& code_page);

// The section shortcut step after a section's copy. The current section's ShortcutLocation,
// upper-cased in the code page, picks the folder: "DESKTOP" FOLDER_DESKTOP, "MY DOCUMENTS"
// FOLDER_PERSONAL, "FAVORITES" FOLDER_FAVORITES; any other value, or a folder that is not
// known, makes no shortcut and sets `shortcut_path` to "". Otherwise the link
// "folder\ShortcutName.Lnk" is made to the section's DestDir (a failure goes unreported, a
// success is told to `record` when one is given) and its path becomes both `shortcut_path` and
// the section's ShortcutLocation.
void CreateSectionShortcut(SetupConfig& config, const SpecialFolders& folders,
                           const CodePage& code_page, ShellLinkMaker& links,
                           std::string& shortcut_path, InstallRecord* record = nullptr);

}  // namespace setup
