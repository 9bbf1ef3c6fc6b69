#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// The absolute host path of `host_path` with every symbolic link, '.' and '..' resolved.
// Fails with the host's error (FileNotFound, PathNotFound, ...) when it does not exist.
Result<std::string> RealHostPath(const std::string& host_path);

// Whether `host_path` (following symbolic links) is a directory. Fails with the host's error
// when it cannot be examined; the status's message is the host's text for that error.
Result<bool> IsHostDirectory(const std::string& host_path);

// The process's own current directory; "." when it cannot be told.
std::string CurrentHostDirectory();

}  // namespace setup
