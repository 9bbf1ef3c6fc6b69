#include "platform/instance_lock_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/status_posix.h"

namespace setup {

PosixInstanceLock::~PosixInstanceLock() {
  // Closing the only descriptor of the open file releases its lock.
  if (fd_ >= 0) close(fd_);
}

Result<bool> PosixInstanceLock::TryAcquire() {
  if (held_) return true;
  if (fd_ < 0) {
    const int fd = open(lock_path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return PosixError(lock_path_, errno);
    // Someone else's file at the fixed path could be held forever to keep this user out.
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
      close(fd);
      return PosixError(lock_path_, EACCES);
    }
    fd_ = fd;
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

std::string InstanceLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/setup.lock";
  return "/tmp/setup-" + std::to_string(getuid()) + ".lock";
}

}  // namespace setup
