#pragma once

#include <string>

#include "config/setup_config.h"
#include "platform/code_page.h"

namespace setup {

// The destination name of an entry whose name on the medium uses underscores for blanks:
// the whole name lower-cased in the disc's code page, its first character and every
// character after an underscore upper-cased (a to z only), every underscore a blank. The
// second byte of a two-byte character is neither an underscore nor a letter.
// READ_ME.TXT gives "Read Me.txt", SETUP.HLP "Setup.hlp", "" stays "".
std::string UnderscoresToSpaces(const std::string& name, const CodePage& code_page);

// The name an entry of a section's tree is installed under: UnderscoresToSpaces when the
// disc uses underscores (m_bUseUnderscores), else its name on the medium.
std::string InstalledName(const std::string& name, const SetupConfig& config,
                          const CodePage& code_page);

}  // namespace setup
