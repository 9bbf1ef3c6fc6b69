#include "script/copy_if_newer.h"

#include "script/file_version.h"

namespace setup {

bool CopyIfNewer(FileSystem& fs, MessageBoxService& messages, const std::string& source,
                 const std::string& destination) {
  FileVersion source_version;
  FileVersion destination_version;
  ReadFileVersion(fs, messages, source, source_version);
  ReadFileVersion(fs, messages, destination, destination_version);
  return IsLowerVersion(destination_version, source_version) &&
         fs.CopyFileTo(source, destination, false).ok();
}

}  // namespace setup
