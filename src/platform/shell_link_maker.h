#pragma once

#include <string>

#include "platform/status.h"

namespace setup {

// Makes shortcut files: a file at a given path that points at a target file or folder.
class ShellLinkMaker {
 public:
  virtual ~ShellLinkMaker() = default;
  // Creates (or replaces) the link `link_file` pointing at `target` (both Windows paths);
  // `description` is kept where the link format has room for it.
  virtual Status CreateLink(const std::string& target, const std::string& link_file,
                            const std::string& description) = 0;
};

}  // namespace setup
