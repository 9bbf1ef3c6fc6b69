#include "app/register_uninstall.h"

#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "install/lz_expand.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

std::string WithBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path.push_back('\\');
  return path;
}

}  // namespace

std::string UninstallCommand(const std::string& windows_dir, const std::string& dest_dir,
                             const std::string& product_name) {
  return WithBackslash(windows_dir) + UNINSTALLER_NAME + " `" + dest_dir + "` " + product_name;
}

void ShowRecordFailure(MessageBoxService& messages, const Status& failure) {
  messages.ShowMessageBox(
      {APP_CAPTION,
       "Couldn't record the installed files in " + failure.path() + ". (" + failure.message() + ")",
       MessageBoxIcon::Warning, MessageBoxButtons::Ok});
}

void RegisterUninstall(const UninstallServices& services) {
  FileSystem& fs = services.fs;
  const SetupConfig& config = services.config;
  const std::string start_dir = services.folders[FOLDER_STARTDIR];
  fs.ChangeDirectory(start_dir);
  if (!FileExists(fs, UNINSTALLER_NAME)) return;
  const std::string destination =
      WithBackslash(services.folders[FOLDER_WINDOWS]) + UNINSTALLER_NAME;
  fs.ChangeDirectory(services.folders[FOLDER_WORKDIR]);
  if (!EqualsNoCaseAscii(config.GetSectionValue(KEY_UNINSTALL), "TRUE")) return;

  // The copy that was found is the one copied, wherever the program file itself lies.
  Result<uint32_t> attributes = fs.GetAttributes(destination);
  if (attributes.ok() && (*attributes & ATTRIB_READONLY) != 0) {
    fs.SetAttributes(destination, *attributes & ~ATTRIB_READONLY);
  }
  if (!ExpandFile(fs, WithBackslash(start_dir) + UNINSTALLER_NAME, destination).ok()) {
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
  const std::string key = std::string(UNINSTALL_KEY) + "\\" + product;
  registry.CreateKey(key);
  registry.SetValue(key, "DisplayName", product);
  registry.SetValue(key, "UninstallString",
                    UninstallCommand(services.folders[FOLDER_WINDOWS],
                                     config.GetSectionValue(KEY_DESTDIR), product));
  registry.SetValue(key, "UninstallText", config.GetText(TEXT_UNINSTALLTEXT));
  registry.SetValue(key, "UninstallProblemText", config.GetText(TEXT_UNINSTALLPROBLEMTEXT));
  const std::string shortcut = config.GetSectionValue(KEY_SHORTCUTLOCATION);
  if (shortcut != "NULL") registry.SetValue(key, "ShortcutLocation", shortcut);
}

}  // namespace setup
