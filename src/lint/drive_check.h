#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace setup {

// When `path` names a drive ("Q:...") that the file system does not map, the message that
// says so ("'Q:\Books' is on drive Q:, which is not mapped"); otherwise nullopt.
std::optional<std::string> UnmappedDriveMessage(FileSystem& fs, const std::string& path);

}  // namespace setup
