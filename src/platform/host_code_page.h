#pragma once

#include <array>

#include "platform/status.h"

namespace setup {

// The Unicode code point of each byte of a single-byte code page.
using CodePageTable = std::array<char32_t, 256>;

// The table of code page `number` (1 to 65535) as the host's converter knows it; a byte the
// code page leaves undefined keeps its own value. Fails with InvalidParameter, the number as
// the path, when the host does not know the code page or it is not single-byte.
Result<CodePageTable> HostCodePageTable(int number);

// Upper- and lower-case of a Unicode code point, the same whatever the process's locale;
// a code point without a case partner comes back unchanged.
char32_t UnicodeUpper(char32_t c);
char32_t UnicodeLower(char32_t c);

}  // namespace setup
