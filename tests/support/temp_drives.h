#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/host_file_system.h"
#include "support/temp_dir.h"

namespace setup::testing {

// One drive of a test: its letter, its root as a directory relative to the temporary
// directory ("" for the temporary directory itself), and its type.
struct TempDrive {
  char letter;
  std::string dir;
  DriveType type;
};

// The drive map of `drives`, whose root directories are created under `temp`.
DriveMap MakeTempDriveMap(const TempDir& temp, const std::vector<TempDrive>& drives);

// The host's file system over `drives`, whose root directories are created under `temp`;
// the current directory is `current_directory`.
std::unique_ptr<FileSystem> MakeTempDrives(const TempDir& temp,
                                           const std::vector<TempDrive>& drives,
                                           const std::string& current_directory,
                                           const CodePage& code_page = CodePage());

// Writes "profile.ini" and "registry.reg" into `temp`: drive C is the directory "c" (fixed),
// the Windows directory is C:\WINDOWS, and the registry's Shell Folders key holds
// `shell_folders` (value name, Windows path). Returns the profile's host path.
std::string WriteHostProfile(const TempDir& temp,
                             const std::vector<std::pair<std::string, std::string>>& shell_folders);

}  // namespace setup::testing
