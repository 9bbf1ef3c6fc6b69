#pragma once

#include <cstdint>
#include <string>

namespace setup {

// File attribute bits, with the values the disc's scripts write (ATTRIB) and the copy tests.
inline constexpr uint32_t ATTRIB_READONLY = 0x01;
inline constexpr uint32_t ATTRIB_HIDDEN = 0x02;
inline constexpr uint32_t ATTRIB_SYSTEM = 0x04;
inline constexpr uint32_t ATTRIB_DIRECTORY = 0x10;
inline constexpr uint32_t ATTRIB_ARCHIVE = 0x20;
inline constexpr uint32_t ATTRIB_NORMAL = 0x80;
// A symbolic link, reported as itself (GetEntryInfo), never as what it points at.
inline constexpr uint32_t ATTRIB_REPARSE_POINT = 0x400;

// 100-nanosecond intervals since 1601-01-01 UTC.
using FileTime = uint64_t;

// 100 ns ticks between 1601-01-01 and 1970-01-01.
inline constexpr FileTime FILETIME_UNIX_EPOCH = 116444736000000000ULL;

// One directory entry as a directory search reports it; `name` is the entry's own name in
// the disc's code page.
struct FindData {
  std::string name;
  uint32_t attributes = 0;
  uint64_t size = 0;
  FileTime creation_time = 0;
  FileTime last_access_time = 0;
  FileTime last_write_time = 0;
  // Which file or directory the entry is: equal pairs name the same object (a directory
  // reached again through a link). Both 0 when the file system cannot tell.
  uint64_t volume_id = 0;
  uint64_t file_index = 0;

  bool IsDirectory() const { return (attributes & ATTRIB_DIRECTORY) != 0; }
};

enum class DriveType { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

// Free space of a drive, already multiplied out (64 bits: modern disks overflow 32).
struct DiskSpace {
  uint64_t free_bytes = 0;
  uint64_t total_bytes = 0;
};

}  // namespace setup
