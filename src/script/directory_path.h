#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "script/install_record.h"

namespace setup {

// Creates every missing directory along `path` ("C:\a\b\c" creates C:\a, C:\a\b and
// C:\a\b\c), leaving alone the part that is never created: a leading '\', or the drive "C:"
// with its backslash. A relative path is created below the current directory. Failures (an
// existing directory, a missing drive, denied access) are ignored. Returns false, creating
// nothing, for a network path ("\\server\share"), true otherwise. The path is split a
// character at a time in `code_page`. Each directory made is told to `record` when one is
// given.
bool CreateDirectoryPath(FileSystem& fs, const std::string& path, const CodePage& code_page,
                         InstallRecord* record = nullptr);

}  // namespace setup
