#include "install/section_plan.h"

#include <utility>
#include <vector>

#include "install/file_query.h"
#include "install/underscores_to_spaces.h"

namespace setup {
namespace {

class TreePlan {
 public:
  TreePlan(FileSystem& fs, const SetupConfig& config, const CodePage& code_page,
           SectionPlanSink& sink)
      : m_fs(fs), m_config(config), m_codePage(code_page), m_sink(sink) {}

  void Walk(const std::string& source, const std::string& destination) {
    Result<FindData> root = m_fs.GetFileInfo(source);
    if (root.ok()) m_walked.push_back({root->volume_id, root->file_index});
    Level(source, destination);
  }

 private:
  using DirectoryId = std::pair<uint64_t, uint64_t>;

  void Level(const std::string& source, const std::string& destination) {
    Result<std::vector<FindData>> entries = m_fs.FindFiles(source + "\\*.*");
    if (!entries.ok()) return;
    for (const FindData& entry : *entries) {
      const std::string from = source + "\\" + entry.name;
      const std::string to = destination + "\\" + InstalledName(entry.name, m_config, m_codePage);
      if (!entry.IsDirectory()) {
        m_sink.PlanFile(from, to, entry.size, IsExistingFile(m_fs, to));
        continue;
      }
      if (entry.name.empty() || entry.name[0] == '.') continue;
      m_sink.PlanFolder(to);
      // A directory reached again through a link is not walked twice.
      const DirectoryId id{entry.volume_id, entry.file_index};
      bool seen = false;
      for (const DirectoryId& walked : m_walked)
        seen = seen || (id != DirectoryId{} && walked == id);
      if (seen) continue;
      m_walked.push_back(id);
      Level(from, to);
      m_walked.pop_back();
    }
  }

  FileSystem& m_fs;
  const SetupConfig& m_config;
  const CodePage& m_codePage;
  SectionPlanSink& m_sink;
  // The directories entered on the way down.
  std::vector<DirectoryId> m_walked;
};

}  // namespace

void PlanDirectoryTree(FileSystem& fs, const SetupConfig& config, const CodePage& code_page,
                       const std::string& source, const std::string& destination,
                       SectionPlanSink& sink) {
  sink.PlanFolder(destination);
  TreePlan(fs, config, code_page, sink).Walk(source, destination);
}

}  // namespace setup
