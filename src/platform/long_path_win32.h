#pragma once

#include <string>

namespace setup {

// A full host path ("C:\a\b", "\\server\share\a") in the form that lifts the MAX_PATH limit
// and the system's rewriting of names ("\\?\C:\a\b", "\\?\UNC\server\share\a"). A path that
// already has the prefix, or is not full, comes back unchanged.
std::wstring WithLongPathPrefix(const std::wstring& full_path);

// The host path without that prefix, as a person or another program reads it.
std::wstring WithoutLongPathPrefix(const std::wstring& host_path);

}  // namespace setup
