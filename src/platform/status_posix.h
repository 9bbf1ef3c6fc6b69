#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// Translates an errno into a Status: the single place where host errors get their Windows
// error code.
Status PosixError(const std::string& path, int os_errno);

}  // namespace setup
