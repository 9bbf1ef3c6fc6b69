#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/config_finding.h"
#include "platform/host_system.h"
#include "platform/registry.h"

namespace setup {

enum FolderSlot {
  FOLDER_WINDOWS = 0,
  FOLDER_SYSTEM = 1,
  FOLDER_FAVORITES = 2,
  FOLDER_PERSONAL = 3,
  FOLDER_MYPICTURES = 4,
  FOLDER_DESKTOP = 5,
  FOLDER_STARTMENU = 6,
  FOLDER_PROGRAMS = 7,
  FOLDER_WORKDIR = 8,
  FOLDER_INSTALLDRIVE = 9,
  FOLDER_INSTALLPATH = 10,
  FOLDER_UNUSED = 11,
  FOLDER_STARTDIR = 12,
  FOLDER_COUNT = 13,
};

// The process's table of folder paths (Windows paths, shell folders without a trailing
// backslash).
class SpecialFolders {
 public:
  // All slots empty.
  SpecialFolders() = default;
  // Fills the Windows and System directories from `system` and the shell folders from the
  // registry's Shell Folders key; a null `registry` or a missing key adds "Couldn't open the
  // registry." with the program file's path as caption to `findings`.
  SpecialFolders(const HostSystem& system, const Registry* registry,
                 std::vector<ConfigFinding>& findings);

  std::string& operator[](int slot) { return m_folders.at(slot); }
  const std::string& operator[](int slot) const { return m_folders.at(slot); }

 private:
  std::array<std::string, FOLDER_COUNT> m_folders;
};

}  // namespace setup
