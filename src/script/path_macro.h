#pragma once

#include <string>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "platform/code_page.h"

namespace setup {

// Replaces a macro in percent signs at the very start of `path` ("%PROGRAMS%\Demo") by the
// folder it names in `folders`, or by the current section's DestDir in `config` for
// %INSTALLPATH%, %INSTALLDIR% and %INSTALLDRIVE%. The macro is matched after upper-casing in
// `code_page`; an unknown macro stays, upper-cased. When text follows the macro, a
// backslash is put between them unless either side already has one. Only one macro is
// expanded; '%' anywhere but at position 0 is ordinary text. Pure string work.
void ExpandPathMacro(std::string& path, const SetupConfig& config, const SpecialFolders& folders,
                     const CodePage& code_page);

}  // namespace setup
