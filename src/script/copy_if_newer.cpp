#include "script/copy_if_newer.h"

#include "script/file_version.h"

namespace setup {

void CopyIfNewer(FileSystem& fs, MessageBoxService& messages, const std::string& source,
                 const std::string& destination) {
  FileVersion source_version;
  FileVersion destination_version;
  ReadFileVersion(fs, messages, source, source_version);
  ReadFileVersion(fs, messages, destination, destination_version);
  if (IsLowerVersion(destination_version, source_version)) {
    fs.CopyFileTo(source, destination, false);
  }
}

}  // namespace setup
