#pragma once

#include <ostream>

#include "platform/host.h"

namespace setup {

// Loads SETUP.INI and SETUP.TXT from the start directory as start-up does and prints every
// message that loading, validation, the special folders and the start-up file checks show
// (as "caption: text" paragraphs), then the publisher's lint of the whole disc, one finding a
// line as FILE:LINE: [Section] Key: message. With `json` every message and finding is one
// JSON object a line instead (lint_output.h). Nothing is written anywhere. Returns 0 when
// nothing was printed, 1 when anything was, 2 when SETUP.INI or SETUP.TXT is missing (after
// its message, without the lint).
int RunCheckMode(Host& host, bool json, std::ostream& out);

}  // namespace setup
