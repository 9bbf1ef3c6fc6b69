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

}  // namespace setup
