#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace setup {

// The instance lock as an advisory lock (flock) on a lock file that every copy names the
// same way. The file is opened without following a symbolic link, created with mode 0600,
// and refused (TryAcquire fails) when it is not a regular file owned by this user.
class PosixInstanceLock : public InstanceLock {
 public:
  explicit PosixInstanceLock(std::string lock_path) : lock_path_(std::move(lock_path)) {}
  ~PosixInstanceLock() override;
  PosixInstanceLock(const PosixInstanceLock&) = delete;
  PosixInstanceLock& operator=(const PosixInstanceLock&) = delete;

  Result<bool> TryAcquire() override;

 private:
  std::string lock_path_;
  int fd_ = -1;
  bool held_ = false;
};

// The user's one lock file, whatever TMPDIR or the program's path: $XDG_RUNTIME_DIR/setup.lock,
// else /tmp/setup-<uid>.lock.
std::string InstanceLockPath();

}  // namespace setup
