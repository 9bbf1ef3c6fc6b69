#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/status_posix.h"

namespace setup {

InstanceLock::~InstanceLock() {
  // Closing the only descriptor of the open file releases its lock.
  if (fd_ >= 0) close(fd_);
}

Result<bool> InstanceLock::TryAcquire() {
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

}  // namespace setup
