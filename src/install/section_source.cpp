#include "install/section_source.h"

namespace setup {

std::string SectionSourceDirectory(const SetupConfig& config, const SpecialFolders& folders) {
  if (!config.m_bValid) return "Code";
  const std::string code_dir = config.GetSectionValue(KEY_CODEDIR);
  if (!code_dir.empty() && code_dir[0] == '\\') return code_dir;
  std::string start = folders[FOLDER_STARTDIR];
  if (start.empty() || start.back() != '\\') start.push_back('\\');
  return start + code_dir;
}

}  // namespace setup
