#pragma once

#include <string>
#include <vector>

namespace setup {

// The non-empty names between the backslashes of a path: "C:\Books\Demo" as "C:", "Books",
// "Demo".
std::vector<std::string> SplitBackslashPath(const std::string& path);

}  // namespace setup
