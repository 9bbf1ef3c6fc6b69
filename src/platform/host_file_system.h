#pragma once

#include <memory>
#include <string>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/process_runner.h"
#include "platform/shell_link_maker.h"

namespace setup {

// The file system of this host over `drives` (each letter onto a host directory), with
// `current_directory` current: what a host made by CreateHost uses, for tests that run one
// on directories of their own.
std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory);

// That file system with the process runner and the shell-link maker of this host working on
// it, as a host made by CreateHost has them. `code_page` must outlive them.
struct HostFileServices {
  std::unique_ptr<FileSystem> fs;
  std::unique_ptr<ProcessRunner> processes;
  std::unique_ptr<ShellLinkMaker> links;
};
HostFileServices NewHostFileServices(DriveMap drives, const CodePage& code_page,
                                     std::string current_directory);

}  // namespace setup
