#include "install/file_query.h"

namespace setup {

int64_t QueryFileSize(FileSystem& fs, const std::string& path) {
  Result<FindData> info = fs.GetFileInfo(path);
  if (!info.ok()) return 0;
  return info->size > static_cast<uint64_t>(INT64_MAX) ? INT64_MAX
                                                       : static_cast<int64_t>(info->size);
}

FileTime QueryFileWriteTime(FileSystem& fs, const std::string& path) {
  Result<FindData> info = fs.GetFileInfo(path);
  return info.ok() ? info->last_write_time : 0;
}

bool IsExistingFile(FileSystem& fs, const std::string& path) {
  Result<uint32_t> attributes = fs.GetAttributes(path);
  return attributes.ok() && (*attributes & ATTRIB_DIRECTORY) == 0;
}

}  // namespace setup
