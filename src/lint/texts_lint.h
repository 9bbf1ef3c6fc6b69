#pragma once

#include <vector>

#include "config/ini_file.h"
#include "lint/lint_context.h"
#include "lint/lint_finding.h"

namespace setup {

// SETUP.TXT (`setup_txt`, named LINT_SETUP_TXT in findings): every text the program uses
// that is missing (or "Error", which reads as missing), and every '%' conversion of a
// formatted text that does not fit the arguments the program passes it (TextFormatArgs), so
// that it would be shown as typed.
std::vector<LintFinding> LintSetupTexts(const IniFile& setup_txt);

}  // namespace setup
