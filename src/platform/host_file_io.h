#pragma once

#include <cstddef>
#include <string>

#include "platform/status.h"

namespace setup {

// Reads a whole host file; fails with InvalidParameter when it holds more than `max_bytes`.
Result<std::string> ReadHostFile(const std::string& host_path, size_t max_bytes);

// Replaces a host file with `contents` so that a crash leaves either the old or the new file:
// writes a temporary file in the same directory, flushes it to disk, renames it over the
// destination and flushes the directory. Creates the missing parent directories first.
Status WriteHostFileAtomically(const std::string& host_path, const std::string& contents);

}  // namespace setup
