#pragma once

#include <string>

#include "platform/instance_lock.h"

namespace setup {

// The instance lock as an advisory lock (flock) on a lock file that every copy names the
// same way.
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

// The lock file of the program file `module_file`: in $TMPDIR (else /tmp), named after the
// user and the program file.
std::string InstanceLockPath(const std::string& module_file);

}  // namespace setup
