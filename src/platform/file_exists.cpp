#include <algorithm>

#include "platform/file_system.h"

namespace setup {

bool FileExists(FileSystem& fs, const std::string& path) {
  auto attributes = fs.GetAttributes(path);
  return attributes.ok() || attributes.status().win_error() != WinError::FileNotFound;
}

Result<std::string> ReadFileContents(FileSystem& fs, const std::string& path, size_t max_bytes) {
  auto file = fs.OpenForRead(path);
  if (!file.ok()) return file.status();
  std::string contents;
  char buffer[65536];
  while (contents.size() < max_bytes) {
    const size_t want = std::min(sizeof(buffer), max_bytes - contents.size());
    auto got = (*file)->Read(buffer, want);
    if (!got.ok()) return got.status();
    if (*got == 0) break;
    contents.append(buffer, *got);
  }
  return contents;
}

}  // namespace setup
