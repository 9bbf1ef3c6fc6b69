#pragma once

#include <sys/stat.h>
#include <time.h>

#include <cstdint>
#include <string>

#include "platform/file_types.h"
#include "platform/status.h"

namespace setup {

// Conversions between host file facts and their Windows form, shared by the PosixFileSystem
// sources.

FileTime ToFileTime(const struct timespec& time);
struct timespec ToTimespec(FileTime time);

// Hidden, system and archive as kept in the extended attribute user.DOSATTRIB, written as
// hexadecimal text ("0x22"). 0 when the attribute is absent, unreadable or not ours.
uint32_t ReadDosAttributes(const std::string& host_path);
// Stores the hidden, system and archive bits of `attributes` (removing the extended
// attribute when none is set). A file system without user extended attributes keeps nothing,
// silently; other failures are reported.
Status WriteDosAttributes(const std::string& host_path, uint32_t attributes);
// Copies user.DOSATTRIB from one open file to another, where both file systems keep it.
void CopyDosAttributes(int from_fd, int to_fd);

// Opens a host file for reading (close-on-exec) without waiting for a writer, as opening a
// pipe would: the caller checks with fstat what it opened. Without `follow_link` a symbolic
// link as the last name fails (ELOOP). -1 with errno on failure.
int OpenToRead(const std::string& host_path, bool follow_link = true);
// The same for `name` in the open directory `dir_fd` (AT_FDCWD: `name` is a host path).
int OpenToReadAt(int dir_fd, const char* name, bool follow_link);

// Read-only means the owner has no write permission.
inline bool IsReadOnlyMode(mode_t mode) { return (mode & S_IWUSR) == 0; }

// The directory data of an existing host entry (symbolic links followed; a dangling link
// reports itself) named `name` (in the disc's code page). Fails with the host's error.
Result<FindData> StatFindData(const std::string& host_path, const std::string& name);
// The same for entry `host_name` of the open directory `dir_fd` whose host path is
// `host_path`, which spares the walk down the directory's path. Without `follow_link` a
// symbolic link reports itself, with ATTRIB_REPARSE_POINT.
Result<FindData> StatFindDataAt(int dir_fd, const std::string& host_name,
                                const std::string& host_path, const std::string& name,
                                bool follow_link = true);

}  // namespace setup
