#pragma once

#include <ostream>

#include "platform/host.h"

namespace setup {

// Loads SETUP.INI and SETUP.TXT from the start directory as start-up does and prints every
// message that loading, validation, the special folders and the start-up file checks show.
// Returns 0 when none was shown, 1 when any was, 2 when SETUP.INI or SETUP.TXT is missing.
int RunCheckMode(Host& host, std::ostream& out);

}  // namespace setup
