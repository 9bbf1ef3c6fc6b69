#pragma once

#include <string_view>

#include "platform/code_page.h"

namespace setup {

// Whether `name` matches a directory search pattern: '*' stands for any run of characters,
// '?' for any one, letters match without regard to case in `code_page`. A name without a
// dot also matches as if it ended in one, so "*.*" matches every name, as on the original
// system.
bool MatchesWildcard(std::string_view pattern, std::string_view name, const CodePage& code_page);

// Whether `text` holds '*' or '?'.
bool HasWildcard(std::string_view text);

}  // namespace setup
