#include "platform/host_file_system.h"
#include "platform/win32_file_system.h"
#include "platform/win32_services.h"

namespace setup {

std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory) {
  return std::make_unique<Win32FileSystem>(std::move(drives), std::move(code_page),
                                           std::move(current_directory));
}

HostFileServices NewHostFileServices(DriveMap drives, const CodePage& code_page,
                                     std::string current_directory) {
  auto fs =
      std::make_unique<Win32FileSystem>(std::move(drives), code_page, std::move(current_directory));
  HostFileServices services;
  services.processes = std::make_unique<Win32ProcessRunner>(*fs, code_page);
  services.links = std::make_unique<Win32ShellLinkMaker>(*fs, code_page);
  services.fs = std::move(fs);
  return services;
}

}  // namespace setup
