#pragma once

#include <string>

namespace setup {

// `utf8` as a JSON string literal, quotes included: '"', '\' and control characters escaped,
// every other byte kept as it is.
std::string JsonString(const std::string& utf8);

}  // namespace setup
