#include "script/directory_path.h"

namespace setup {

bool CreateDirectoryPath(FileSystem& fs, const std::string& path, const CodePage& code_page,
                         InstallRecord* record) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return false;

  size_t prefix = 0;
  if (!path.empty() && path[0] == '\\') {
    prefix = 1;
  } else if (path.size() >= 2 && path[1] == ':') {
    prefix = path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  }

  for (size_t pos = prefix; pos <= path.size();
       pos += pos < path.size() ? code_page.CharSize(path, pos) : 1) {
    if (pos < path.size() && path[pos] != '\\') continue;
    if (pos <= prefix) continue;
    const std::string directory = path.substr(0, pos);
    if (fs.MakeDirectory(directory).ok() && record != nullptr) record->DirectoryMade(directory);
  }
  return true;
}

}  // namespace setup
