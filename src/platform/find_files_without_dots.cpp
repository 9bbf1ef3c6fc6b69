#include <algorithm>

#include "platform/file_system.h"

namespace setup {

Result<std::vector<FindData>> FileSystem::FindFilesWithoutDots(const std::string& pattern) {
  auto found = FindFiles(pattern);
  if (!found.ok()) return found;
  std::erase_if(*found,
                [](const FindData& entry) { return entry.name == "." || entry.name == ".."; });
  if (found->empty()) return Status::Error(WinError::FileNotFound, pattern, "no matching file");
  return found;
}

}  // namespace setup
