#pragma once

#include "platform/status.h"

namespace setup {

// Keeps a second copy of the program from running. Every copy of the same program file by
// the same user contends for one lock; it is released when this object is destroyed, and
// by the system when the process ends, crashed or not.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;

  // True when this object now holds the lock (or already did): no other copy is running.
  // False when another holder has it. Fails when the lock cannot be created or opened; the
  // caller decides whether to run without the check.
  virtual Result<bool> TryAcquire() = 0;
};

}  // namespace setup
