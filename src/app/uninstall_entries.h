#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
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
std::vector<UninstallEntry> ListUninstallEntries(const Registry& registry,
                                                 const CodePage& code_page);

// The entry NAME asks for: the one whose key is NAME, else the one whose DisplayName is NAME
// (both without regard to case in `code_page`, so never to a second byte's); nullopt when
// none is.
std::optional<UninstallEntry> FindUninstallEntry(const Registry& registry, const std::string& name,
                                                 const CodePage& code_page);

// The DestDir in "<dir>\ZORUNIN.EXE `<DestDir>` <ProductName>"; nullopt when `command` is not
// such a line. `command` is read a character at a time in `code_page`.
std::optional<std::string> FolderOfUninstallCommand(const std::string& command,
                                                    const CodePage& code_page);

}  // namespace setup
