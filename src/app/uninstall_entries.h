#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace setup {

// One entry of the list of installed programs that this program's installs wrote
// (RegisterUninstall): its UninstallString names the uninstaller ZORUNIN.EXE.
struct UninstallEntry {
  std::string key;  // the name below UNINSTALL_KEY
  std::string display_name;
  std::string folder;  // the DestDir between the backquotes of UninstallString
  std::string uninstall_text;
  std::string problem_text;
};

// The entries under UNINSTALL_KEY written by this program's installs, in the store's order.
std::vector<UninstallEntry> ListUninstallEntries(const Registry& registry);

// The entry NAME asks for: the one whose key is NAME, else the one whose DisplayName is NAME
// (both without regard to the case of ASCII letters); nullopt when none is.
std::optional<UninstallEntry> FindUninstallEntry(const Registry& registry, const std::string& name);

// The DestDir in "<dir>\ZORUNIN.EXE `<DestDir>` <ProductName>"; nullopt when `command` is not
// such a line.
std::optional<std::string> FolderOfUninstallCommand(const std::string& command);

}  // namespace setup
