#pragma once

#include <string>

#include "platform/code_page.h"

namespace setup {

// A path cut into its four parts as COPY sees them: the drive is the first two characters
// when the second is ':'; the directory runs from there up to and including the last '\' or
// '/'; the extension is the remainder from its last '.' on; the name is what lies between.
// Any part may be empty; the four together are the path again. The path is read a character at
// a time in `code_page`, so the second byte of a two-byte character is no '\' nor '.'.
struct PathParts {
  std::string drive;
  std::string directory;
  std::string name;
  std::string extension;
};

PathParts SplitPath(const std::string& path, const CodePage& code_page);

}  // namespace setup
