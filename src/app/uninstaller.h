#pragma once

#include <string>
#include <vector>

#include "app/uninstall_entries.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry.h"

namespace setup {

// What removing one entry came to.
struct UninstallOutcome {
  // Kept because the reader changed or added them since the install (full paths; one that is
  // now a link, or lies under one, says so).
  std::vector<std::string> kept;
  // Not removed though they should have been, each "path: reason". The entry then stays.
  std::vector<std::string> failed;
  bool entry_removed = false;
};

// What the uninstall works with; the references outlive the call.
struct UninstallerServices {
  FileSystem& fs;
  Registry& registry;
  const CodePage& code_page;
  // Where the records are (install_record_file.h).
  std::string windows_dir;
};

// Removes what the install of `entry` made, as its record says. First every recorded file and
// link that is as the install left it (a link still a link of the recorded size and time; a
// file of the recorded size, time and content hash); then every folder the install made that
// is then empty, deepest first. A recorded path that is now a link, or lies under one, is
// never followed: it is kept. Nothing that is not recorded is ever removed; what was changed,
// and what a kept folder holds that is not recorded, is kept and listed. Entries already gone
// count as removed, so a removal that was cut short (even by the process's death) is finished
// by the next. Only when nothing failed are the registry entry and then the record removed
// (and the records' folder, once empty); otherwise both stay for another try.
UninstallOutcome RemoveInstalledEntry(const UninstallerServices& services,
                                      const UninstallEntry& entry);

}  // namespace setup
