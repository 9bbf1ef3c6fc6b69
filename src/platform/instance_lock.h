#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// Keeps a second copy of the program from running: an advisory lock on a lock file that
// every copy names the same way (after the program file). The lock is released when this
// object is destroyed, and by the kernel when the process ends, crashed or not.
class InstanceLock {
 public:
  explicit InstanceLock(std::string lock_path) : lock_path_(std::move(lock_path)) {}
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this object now holds the lock (or already did): no other copy is running.
  // False when another holder has it. Fails when the lock file cannot be created or opened;
  // the caller decides whether to run without the check.
  Result<bool> TryAcquire();

  const std::string& lock_path() const { return lock_path_; }

 private:
  std::string lock_path_;
  int fd_ = -1;
  bool held_ = false;
};

}  // namespace setup
