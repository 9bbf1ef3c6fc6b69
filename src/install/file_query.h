#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace setup {

// The size in bytes of the file `path` names, or 0 when it cannot be found. 64-bit, so a
// file beyond 2 GB is shown with its true size.
int64_t QueryFileSize(FileSystem& fs, const std::string& path);
// The last-write time of the file `path` names, or 0 (shown as the start of the file-time
// epoch) when it cannot be read.
FileTime QueryFileWriteTime(FileSystem& fs, const std::string& path);
// Whether `path` is a file that is there: what the copy offers to replace. A missing folder on
// the way, a directory or a failing look-up is nothing to replace (the copy then fails and
// says why).
bool IsExistingFile(FileSystem& fs, const std::string& path);

}  // namespace setup
