#include "script/expanded_script_line.h"

#include "script/path_macro.h"
#include "script/script_line.h"

namespace setup {

size_t ExpandScriptLine(std::string_view line, ScriptArgs& args, const SetupConfig& config,
                        const SpecialFolders& folders, const CodePage& code_page) {
  size_t count = SplitScriptLine(line, args, code_page);
  for (size_t slot = 0; slot < count; ++slot) {
    ExpandPathMacro(args[slot], config, folders, code_page);
  }
  return count;
}

}  // namespace setup
