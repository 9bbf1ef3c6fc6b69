#include "install/section_shortcut.h"

#include "script/shell_link.h"

namespace setup {

std::string SectionShortcutPath(const SetupConfig& config, const SpecialFolders& folders,
                                const CodePage& code_page) {
  static const struct {
    const char* keyword;
    FolderSlot folder;
  } kFolders[] = {
      {"DESKTOP", FOLDER_DESKTOP},
      {"MY DOCUMENTS", FOLDER_PERSONAL},
      {"FAVORITES", FOLDER_FAVORITES},
  };
  const std::string location = code_page.Upper(config.GetSectionValue(KEY_SHORTCUTLOCATION));
  std::string folder;
  for (const auto& entry : kFolders) {
    if (location == entry.keyword) folder = folders[entry.folder];
  }
  if (folder.empty()) return folder;
  return folder + "\\" + config.GetSectionValue(KEY_SHORTCUTNAME) + ".Lnk";
}

void CreateSectionShortcut(SetupConfig& config, const SpecialFolders& folders,
                           const CodePage& code_page, ShellLinkMaker& links,
                           std::string& shortcut_path, InstallRecord* record) {
  shortcut_path = SectionShortcutPath(config, folders, code_page);
  if (shortcut_path.empty()) return;
  if (CreateShellLink(links, config.GetSectionValue(KEY_DESTDIR), shortcut_path, "", code_page)
          .ok() &&
      record != nullptr) {
    record->LinkMade(shortcut_path);
  }
  config.SetSectionValue(KEY_SHORTCUTLOCATION, shortcut_path);
}

}  // namespace setup
