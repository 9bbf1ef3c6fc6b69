#include "install/source_tree_bytes.h"

#include <utility>
#include <vector>

#include "platform/code_page_text.h"

namespace setup {

namespace {

using DirectoryId = std::pair<uint64_t, uint64_t>;

uint64_t LevelBytes(FileSystem& fs, const std::string& directory,
                    std::vector<DirectoryId>& ancestors) {
  Result<std::vector<FindData>> entries = fs.FindFiles(directory + "\\*.*");
  if (!entries.ok()) return 0;
  uint64_t bytes = 0;
  for (const FindData& entry : *entries) {
    if (!entry.IsDirectory()) {
      bytes += entry.size;
      continue;
    }
    if (entry.name.empty() || entry.name[0] == '.') continue;
    DirectoryId id{entry.volume_id, entry.file_index};
    bool walked = false;
    for (const DirectoryId& ancestor : ancestors)
      walked = walked || (id != DirectoryId{} && ancestor == id);
    if (walked) continue;
    ancestors.push_back(id);
    bytes += LevelBytes(fs, directory + "\\" + entry.name, ancestors);
    ancestors.pop_back();
  }
  return bytes;
}

}  // namespace

uint64_t SourceTreeBytes(FileSystem& fs, const std::string& directory, const CodePage& code_page) {
  std::vector<DirectoryId> ancestors;
  Result<FindData> root = fs.GetFileInfo(directory);
  if (root.ok()) ancestors.push_back({root->volume_id, root->file_index});
  std::string base = directory;
  if (EndsWithCharacter(code_page, base, '\\')) base.pop_back();
  return LevelBytes(fs, base, ancestors);
}

}  // namespace setup
