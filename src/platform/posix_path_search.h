#pragma once

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_search.h"

namespace setup {

// The current, System and Windows directories are searched through the file system. The
// program's directory and the PATH directories are host directories, mostly outside every
// mapped drive, so they are searched on the host directly: a plain name (no separators) is
// matched there without regard to case, in the disc's code page, as on the original system.
class PosixPathSearch : public PathSearch {
 public:
  PosixPathSearch(FileSystem& fs, const HostSystem& system, const CodePage& code_page,
                  std::string program_host_dir, std::vector<std::string> path_host_dirs);
  // With the directory of system.module_file and the process's PATH.
  static PosixPathSearch FromEnvironment(FileSystem& fs, const HostSystem& system,
                                         const CodePage& code_page);

  bool FindOnPath(const std::string& file_name) override;

 private:
  bool InHostDirectory(const std::string& host_dir, const std::string& file_name) const;

  FileSystem& fs_;
  const HostSystem& system_;
  const CodePage& code_page_;
  std::string program_host_dir_;
  std::vector<std::string> path_host_dirs_;
};

}  // namespace setup
