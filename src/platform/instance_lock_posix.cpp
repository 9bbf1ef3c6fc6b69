#include "platform/instance_lock_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "platform/status_posix.h"

namespace setup {

PosixInstanceLock::~PosixInstanceLock() {
  // Closing the only descriptor of the open file releases its lock.
  if (fd_ >= 0) close(fd_);
}

Result<bool> PosixInstanceLock::TryAcquire() {
  if (held_) return true;
  if (fd_ < 0) {
    fd_ = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return PosixError(lock_path_, errno);
  }
  for (;;) {
    if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      held_ = true;
      return true;
    }
    if (errno == EWOULDBLOCK) return false;
    if (errno != EINTR) return PosixError(lock_path_, errno);
  }
}

std::string InstanceLockPath(const std::string& module_file) {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  std::ostringstream name;
  name << dir << "/setup-" << getuid() << "-" << std::hex << std::hash<std::string>{}(module_file)
       << ".lock";
  return name.str();
}

}  // namespace setup
