#include "install/section_source.h"

#include "platform/code_page_text.h"

namespace setup {

std::string SectionSourceDirectory(const SetupConfig& config, const SpecialFolders& folders,
                                   const CodePage& code_page) {
  if (!config.m_bValid) return "Code";
  const std::string code_dir = config.GetSectionValue(KEY_CODEDIR);
  if (!code_dir.empty() && code_dir[0] == '\\') return code_dir;
  return WithTrailingBackslash(code_page, folders[FOLDER_STARTDIR]) + code_dir;
}

}  // namespace setup
