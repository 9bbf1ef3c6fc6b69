#include "lint/drive_check.h"

namespace setup {

std::optional<std::string> UnmappedDriveMessage(FileSystem& fs, const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return std::nullopt;
  char letter = path[0];
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  if ((fs.GetLogicalDrives() & (1u << (letter - 'A'))) != 0) return std::nullopt;
  return "'" + path + "' is on drive " + std::string(1, letter) + ":, which is not mapped";
}

}  // namespace setup
