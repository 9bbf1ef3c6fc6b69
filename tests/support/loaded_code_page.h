#pragma once

#include "platform/code_page.h"

namespace setup::testing {

// Code page `number` as the host's converter knows it; the test fails, and gets 1252, when
// the host cannot load it.
CodePage LoadedCodePage(int number);

}  // namespace setup::testing
