#pragma once

#include <string>

namespace setup {

// The system's search for a file by name, in its standard order: the program's own
// directory, the current directory, the System directory, the Windows directory, then the
// directories of the PATH variable.
class PathSearch {
 public:
  virtual ~PathSearch() = default;
  // Whether `file_name` (disc code page) exists in one of those directories. A name with a
  // drive or a leading backslash is only looked for where it says.
  virtual bool FindOnPath(const std::string& file_name) = 0;
};

}  // namespace setup
