#include "platform/host_file_system.h"
#include "platform/posix_file_system.h"
#include "platform/posix_process_runner.h"
#include "platform/posix_shell_link_maker.h"

namespace setup {

std::unique_ptr<FileSystem> NewHostFileSystem(DriveMap drives, CodePage code_page,
                                              std::string current_directory) {
  return std::make_unique<PosixFileSystem>(std::move(drives), std::move(code_page),
                                           std::move(current_directory));
}

HostFileServices NewHostFileServices(DriveMap drives, const CodePage& code_page,
                                     std::string current_directory) {
  HostFileServices services;
  services.fs = NewHostFileSystem(std::move(drives), code_page, std::move(current_directory));
  services.processes = std::make_unique<PosixProcessRunner>(*services.fs, code_page);
  services.links = std::make_unique<PosixShellLinkMaker>(*services.fs);
  return services;
}

}  // namespace setup
