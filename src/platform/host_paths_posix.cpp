#include "platform/host_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/status_posix.h"

namespace setup {

Result<std::string> RealHostPath(const std::string& host_path) {
  char resolved[PATH_MAX];
  if (realpath(host_path.c_str(), resolved) == nullptr) return PosixError(host_path, errno);
  return std::string(resolved);
}

Result<bool> IsHostDirectory(const std::string& host_path) {
  struct stat st {};
  if (stat(host_path.c_str(), &st) != 0) return PosixError(host_path, errno);
  return S_ISDIR(st.st_mode);
}

std::string CurrentHostDirectory() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return ".";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

}  // namespace setup
