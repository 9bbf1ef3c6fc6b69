#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// Translates a Win32 error code (GetLastError) into a Status: the single place where host
// errors get their Windows error code, which here is the code itself.
Status Win32Error(const std::string& path, unsigned long error);
// Win32Error with the calling thread's last error.
Status LastWin32Error(const std::string& path);

}  // namespace setup
