#include "app/register_uninstall.h"

#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "install/lz_expand.h"
#include "platform/code_page_text.h"
#include "ui/framework/text_compare.h"

namespace setup {

std::string UninstallCommand(const std::string& windows_dir, const std::string& dest_dir,
                             const std::string& product_name, const CodePage& code_page) {
  return WithTrailingBackslash(code_page, windows_dir) + UNINSTALLER_NAME + " `" + dest_dir + "` " +
         product_name;
}

void ShowRecordFailure(MessageBoxService& messages, const Status& failure) {
  messages.ShowMessageBox(
      {APP_CAPTION,
       "Couldn't record the installed files in " + failure.path() + ". (" + failure.message() + ")",
       MessageBoxIcon::Warning, MessageBoxButtons::Ok});
}

bool RegistersUninstall(FileSystem& fs, const SetupConfig& config, const SpecialFolders& folders,
                        const CodePage& code_page) {
  return FileExists(
             fs, WithTrailingBackslash(code_page, folders[FOLDER_STARTDIR]) + UNINSTALLER_NAME) &&
         EqualsNoCaseAscii(config.GetSectionValue(KEY_UNINSTALL), "TRUE");
}

std::string UninstallEntryKey(const SetupConfig& config) {
  return std::string(UNINSTALL_KEY) + "\\" + config.GetSectionValue(KEY_PRODUCTNAME);
}

std::vector<std::pair<std::string, std::string>> UninstallEntryValues(const SetupConfig& config,
                                                                      const SpecialFolders& folders,
                                                                      const CodePage& code_page) {
  const std::string product = config.GetSectionValue(KEY_PRODUCTNAME);
  std::vector<std::pair<std::string, std::string>> values = {
      {"DisplayName", product},
      {"UninstallString",
       UninstallCommand(folders[FOLDER_WINDOWS], config.GetSectionValue(KEY_DESTDIR), product,
                        code_page)},
      {"UninstallText", config.GetText(TEXT_UNINSTALLTEXT)},
      {"UninstallProblemText", config.GetText(TEXT_UNINSTALLPROBLEMTEXT)},
  };
  const std::string shortcut = config.GetSectionValue(KEY_SHORTCUTLOCATION);
  if (shortcut != "NULL") values.emplace_back("ShortcutLocation", shortcut);
  return values;
}

void RegisterUninstall(const UninstallServices& services) {
  FileSystem& fs = services.fs;
  const SetupConfig& config = services.config;
  const std::string start_dir = services.folders[FOLDER_STARTDIR];
  // The current directory it leaves behind is the start directory when there is no
  // uninstaller, else the working directory, whatever the section's Uninstall says.
  fs.ChangeDirectory(start_dir);
  if (!FileExists(fs, UNINSTALLER_NAME)) return;
  const std::string destination =
      WithTrailingBackslash(services.code_page, services.folders[FOLDER_WINDOWS]) +
      UNINSTALLER_NAME;
  fs.ChangeDirectory(services.folders[FOLDER_WORKDIR]);
  if (!RegistersUninstall(fs, config, services.folders, services.code_page)) return;

  // The copy that was found is the one copied, wherever the program file itself lies.
  Result<uint32_t> attributes = fs.GetAttributes(destination);
  if (attributes.ok() && (*attributes & ATTRIB_READONLY) != 0) {
    fs.SetAttributes(destination, *attributes & ~ATTRIB_READONLY);
  }
  if (!ExpandFile(fs, WithTrailingBackslash(services.code_page, start_dir) + UNINSTALLER_NAME,
                  destination)
           .ok()) {
    services.messages.ShowMessageBox({APP_CAPTION, "Couldn't copy uninstall program.",
                                      MessageBoxIcon::Warning, MessageBoxButtons::Ok});
  }

  if (services.registry == nullptr) return;
  Registry& registry = *services.registry;
  const std::string product = config.GetSectionValue(KEY_PRODUCTNAME);
  if (services.recorder != nullptr) {
    if (Status saved = services.recorder->Save(product); !saved.ok()) {
      ShowRecordFailure(services.messages, saved);
    }
  }
  const std::string key = UninstallEntryKey(config);
  registry.CreateKey(key);
  for (const auto& [name, data] :
       UninstallEntryValues(config, services.folders, services.code_page)) {
    registry.SetValue(key, name, data);
  }
}

}  // namespace setup
