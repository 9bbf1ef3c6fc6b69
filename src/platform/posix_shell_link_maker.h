#pragma once

#include "platform/file_system.h"
#include "platform/shell_link_maker.h"

namespace setup {

// A link is a symbolic link at the link file's host path pointing at the target's host
// path. It replaces an existing link file atomically (made beside it, then renamed over it).
// A symbolic link has no room for a description; an empty target cannot be linked.
class PosixShellLinkMaker : public ShellLinkMaker {
 public:
  explicit PosixShellLinkMaker(FileSystem& fs) : fs_(fs) {}
  Status CreateLink(const std::string& target, const std::string& link_file,
                    const std::string& description) override;

 private:
  FileSystem& fs_;
};

}  // namespace setup
