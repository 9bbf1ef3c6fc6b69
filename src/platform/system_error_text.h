#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// The system's text for an error code, as its message table words it (ending in CR LF);
// empty for a code without a text.
std::string SystemErrorText(WinError error);

}  // namespace setup
