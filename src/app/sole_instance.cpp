#include "app/sole_instance.h"

namespace setup {

std::unique_ptr<InstanceLock> LockOutOtherCopies(Host& host, std::ostream& console) {
  std::unique_ptr<InstanceLock> lock = host.NewInstanceLock();
  Result<bool> alone = lock->TryAcquire();
  if (!alone.ok()) {
    console << "setup: warning: cannot check for another running copy: "
            << alone.status().ToString() << "\n";
  } else if (!*alone) {
    console << "setup: another copy of setup is already running\n";
    return nullptr;
  }
  return lock;
}

}  // namespace setup
