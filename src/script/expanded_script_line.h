#pragma once

#include <cstddef>
#include <string_view>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"
#include "script/script_args.h"

namespace setup {

// A script line as the runner takes it before its command runs: split into `args`
// (SplitScriptLine) and a path macro expanded in every field (ExpandPathMacro) for the
// current section of `config`. Returns the number of fields.
size_t ExpandScriptLine(std::string_view line, ScriptArgs& args, const SetupConfig& config,
                        const SpecialFolders& folders, const CodePage& code_page);

}  // namespace setup
