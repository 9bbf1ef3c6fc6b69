#include "install/section_shortcut.h"

#include "script/shell_link.h"

namespace setup {

void CreateSectionShortcut(SetupConfig& config, const SpecialFolders& folders,
                           const CodePage& code_page, ShellLinkMaker& links,
                           std::string& shortcut_path, InstallRecord* record) {
  static const struct {
    const char* keyword;
    FolderSlot folder;
  } kFolders[] = {
      {"DESKTOP", FOLDER_DESKTOP},
      {"MY DOCUMENTS", FOLDER_PERSONAL},
      {"FAVORITES", FOLDER_FAVORITES},
  };
  const std::string location = code_page.Upper(config.GetSectionValue(KEY_SHORTCUTLOCATION));
  shortcut_path.clear();
  for (const auto& entry : kFolders) {
    if (location == entry.keyword) shortcut_path = folders[entry.folder];
  }
  if (shortcut_path.empty()) return;
  shortcut_path += "\\" + config.GetSectionValue(KEY_SHORTCUTNAME) + ".Lnk";
  if (CreateShellLink(links, config.GetSectionValue(KEY_DESTDIR), shortcut_path, "").ok() &&
      record != nullptr) {
    record->LinkMade(shortcut_path);
  }
  config.SetSectionValue(KEY_SHORTCUTLOCATION, shortcut_path);
}

}  // namespace setup
