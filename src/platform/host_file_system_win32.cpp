#include "platform/host_file_system.h"
#include "platform/win32_file_system.h"

namespace setup {

std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory) {
  return std::make_unique<Win32FileSystem>(std::move(drives), std::move(code_page),
                                           std::move(current_directory));
}

}  // namespace setup
