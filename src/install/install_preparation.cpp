#include "install/install_preparation.h"

#include "platform/code_page_text.h"
#include "script/path_macro.h"

namespace setup {

void PrepareInstall(SetupConfig& config, SpecialFolders& folders, const CodePage& code_page,
                    const std::string& start_dir) {
  const std::string work_dir = WithTrailingBackslash(code_page, start_dir);
  folders[FOLDER_STARTDIR] = work_dir;
  folders[FOLDER_WORKDIR] = work_dir;
  for (int s = 0; s < config.m_nSections; ++s) {
    config.m_nCurrentSection = s;
    std::string dest_dir = config.GetSectionValue(KEY_DESTDIR);
    ExpandPathMacro(dest_dir, config, folders, code_page);
    config.SetSectionValue(KEY_DESTDIR, dest_dir);
  }
  config.m_nCurrentSection = 0;
}

}  // namespace setup
