#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/file_types.h"

namespace setup {

// The drive letters the program sees, each mapped onto a host directory with a drive type.
class DriveMap {
 public:
  struct Drive {
    std::string host_root;  // absolute host directory, no trailing slash (except "/")
    DriveType type = DriveType::Fixed;
  };

  // Maps `letter` (either case); replaces an earlier mapping of the same letter.
  void Map(char letter, std::string host_root, DriveType type);
  // The mapping of `letter`, or nullptr when it is not mapped.
  const Drive* Find(char letter) const;
  // Bit 0 is A.
  uint32_t LogicalDrives() const;

  // The Windows path of host directory `host_dir` (absolute): the path below the drive
  // whose root contains it (the deepest root wins), or, when none does, `host_dir` becomes
  // the root of the first free letter from D, as a CD-ROM drive (the disc Setup runs from).
  // Host names are converted from UTF-8 into `code_page`. Returns nullopt when no letter is
  // free.
  std::optional<std::string> MapStartDirectory(const std::string& host_dir,
                                               const CodePage& code_page = CodePage());

 private:
  std::array<std::optional<Drive>, 26> drives_;
};

// "fixed", "removable", "cdrom", "remote", "ramdisk" (without regard to case).
std::optional<DriveType> ParseDriveType(const std::string& word);

}  // namespace setup
