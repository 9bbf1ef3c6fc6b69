#pragma once

#include <cstdint>
#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace setup {

// The bytes of the files the section copy would walk under `directory` (a full path): its
// files and those of its subdirectories, leaving out directories whose names start with '.'
// and a directory reached again below itself (a link to an ancestor), as the walk does.
// An entry that cannot be listed counts nothing. `directory` is read in `code_page`.
uint64_t SourceTreeBytes(FileSystem& fs, const std::string& directory, const CodePage& code_page);

}  // namespace setup
