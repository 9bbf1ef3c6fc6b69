#pragma once

#include <string>

namespace setup {

// A path cut into its four parts as COPY sees them: the drive is the first two characters
// when the second is ':'; the directory runs from there up to and including the last '\' or
// '/'; the extension is the remainder from its last '.' on; the name is what lies between.
// Any part may be empty; the four together are the path again.
struct PathParts {
  std::string drive;
  std::string directory;
  std::string name;
  std::string extension;
};

PathParts SplitPath(const std::string& path);

}  // namespace setup
