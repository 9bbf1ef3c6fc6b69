#include "app/uninstall_entries.h"

#include "app/register_uninstall.h"

namespace setup {

std::optional<std::string> FolderOfUninstallCommand(const std::string& command,
                                                    const CodePage& code_page) {
  const std::string program = std::string("\\") + UNINSTALLER_NAME + " `";
  const size_t found = code_page.Upper(command).find(program);
  if (found == std::string::npos) return std::nullopt;
  const size_t start = found + program.size();
  // The product name follows the last backquote and blank; the folder may hold a backquote
  // itself, and a second byte 0x60 ('ダ' is 0x83 0x60) is no backquote.
  size_t end = std::string::npos;
  for (size_t i = start; i + 1 < command.size(); i += code_page.CharSize(command, i)) {
    if (command[i] == '`' && command[i + 1] == ' ') end = i;
  }
  if (end == std::string::npos) return std::nullopt;
  return command.substr(start, end - start);
}

std::vector<UninstallEntry> ListUninstallEntries(const Registry& registry,
                                                 const CodePage& code_page) {
  std::vector<UninstallEntry> entries;
  for (const std::string& name : registry.SubKeyNames(UNINSTALL_KEY)) {
    const std::string key = std::string(UNINSTALL_KEY) + "\\" + name;
    const std::optional<std::string> folder = FolderOfUninstallCommand(
        registry.QueryValue(key, "UninstallString").value_or(""), code_page);
    if (!folder) continue;
    entries.push_back({name, registry.QueryValue(key, "DisplayName").value_or(name), *folder,
                       registry.QueryValue(key, "UninstallText").value_or(""),
                       registry.QueryValue(key, "UninstallProblemText").value_or("")});
  }
  return entries;
}

std::optional<UninstallEntry> FindUninstallEntry(const Registry& registry, const std::string& name,
                                                 const CodePage& code_page) {
  const std::vector<UninstallEntry> entries = ListUninstallEntries(registry, code_page);
  for (const UninstallEntry& entry : entries) {
    if (code_page.EqualsNoCase(entry.key, name)) return entry;
  }
  for (const UninstallEntry& entry : entries) {
    if (code_page.EqualsNoCase(entry.display_name, name)) return entry;
  }
  return std::nullopt;
}

}  // namespace setup
