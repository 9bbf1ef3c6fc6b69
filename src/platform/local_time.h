#pragma once

#include "platform/file_types.h"

namespace setup {

// A UTC file time moved into the host's time zone, as the original platform's
// FileTimeToLocalFileTime does (the offset in force at that moment).
FileTime FileTimeToLocalFileTime(FileTime utc);

}  // namespace setup
