#include "platform/host_file_system.h"
#include "platform/posix_file_system.h"

namespace setup {

std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory) {
  return std::make_unique<PosixFileSystem>(std::move(drives), std::move(code_page),
                                           std::move(current_directory));
}

}  // namespace setup
