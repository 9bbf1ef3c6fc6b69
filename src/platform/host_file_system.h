#pragma once

#include <memory>
#include <string>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"

namespace setup {

// The file system of this host over `drives` (each letter onto a host directory), with
// `current_directory` current: what a host made by CreateHost uses, for tests that run one
// on directories of their own.
std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory);

}  // namespace setup
