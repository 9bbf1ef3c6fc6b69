#include "config/special_folders.h"

namespace setup {
namespace {

// The registry query's buffer: a value that does not fit with its terminator is not read.
constexpr size_t QUERY_BUFFER = 1024;

struct ShellFolderValue {
  int slot;
  const char* name;
};

constexpr ShellFolderValue SHELL_FOLDER_VALUES[] = {
    {FOLDER_FAVORITES, "Favorites"},    {FOLDER_PERSONAL, "Personal"},
    {FOLDER_MYPICTURES, "My Pictures"}, {FOLDER_DESKTOP, "Desktop"},
    {FOLDER_STARTMENU, "Start Menu"},   {FOLDER_PROGRAMS, "Programs"},
};

}  // namespace

SpecialFolders::SpecialFolders(const HostSystem& system, const Registry* registry,
                               std::vector<ConfigFinding>& findings) {
  m_folders[FOLDER_SYSTEM] = system.system_dir;
  m_folders[FOLDER_WINDOWS] = system.windows_dir;

  if (registry == nullptr || !registry->KeyExists(SHELL_FOLDERS_KEY)) {
    // No application object exists yet, so the program file names the box.
    findings.push_back(
        {system.module_file, "Couldn't open the registry.", "", 0, SHELL_FOLDERS_KEY, ""});
    return;
  }
  for (const ShellFolderValue& value : SHELL_FOLDER_VALUES) {
    auto data = registry->QueryValue(SHELL_FOLDERS_KEY, value.name);
    if (data && data->size() < QUERY_BUFFER) m_folders[value.slot] = std::move(*data);
  }
}

}  // namespace setup
