#include "app/uninstall_entries.h"

#include "app/register_uninstall.h"
#include "ui/framework/text_compare.h"

namespace setup {

std::optional<std::string> FolderOfUninstallCommand(const std::string& command) {
  const std::string program = std::string("\\") + UNINSTALLER_NAME + " `";
  std::string upper = command;
  for (char& c : upper) c = UpperAscii(c);
  const size_t found = upper.find(program);
  if (found == std::string::npos) return std::nullopt;
  const size_t start = found + program.size();
  // The product name follows the last backquote; the folder may hold one itself.
  const size_t end = command.rfind("` ");
  if (end == std::string::npos || end < start) return std::nullopt;
  return command.substr(start, end - start);
}

std::vector<UninstallEntry> ListUninstallEntries(const Registry& registry) {
  std::vector<UninstallEntry> entries;
  for (const std::string& name : registry.SubKeyNames(UNINSTALL_KEY)) {
    const std::string key = std::string(UNINSTALL_KEY) + "\\" + name;
    const std::optional<std::string> folder =
        FolderOfUninstallCommand(registry.QueryValue(key, "UninstallString").value_or(""));
    if (!folder) continue;
    entries.push_back({name, registry.QueryValue(key, "DisplayName").value_or(name), *folder,
                       registry.QueryValue(key, "UninstallText").value_or(""),
                       registry.QueryValue(key, "UninstallProblemText").value_or("")});
  }
  return entries;
}

std::optional<UninstallEntry> FindUninstallEntry(const Registry& registry,
                                                 const std::string& name) {
  const std::vector<UninstallEntry> entries = ListUninstallEntries(registry);
  for (const UninstallEntry& entry : entries) {
    if (EqualsNoCaseAscii(entry.key, name)) return entry;
  }
  for (const UninstallEntry& entry : entries) {
    if (EqualsNoCaseAscii(entry.display_name, name)) return entry;
  }
  return std::nullopt;
}

}  // namespace setup
