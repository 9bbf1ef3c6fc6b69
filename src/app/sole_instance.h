#pragma once

#include <memory>
#include <ostream>

#include "platform/host.h"

namespace setup {

// Takes the lock that keeps a second copy of setup out, for as long as the result lives.
// nullptr, after one line on `console`, when another copy holds it; a lock that cannot be
// checked is only warned about, and the run goes on.
std::unique_ptr<InstanceLock> LockOutOtherCopies(Host& host, std::ostream& console);

}  // namespace setup
