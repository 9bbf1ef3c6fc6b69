#pragma once

#include <vector>

#include "lint/lint_context.h"
#include "lint/lint_finding.h"

namespace setup {

// SETUP.INI beyond what start-up checks: lines the reader skips; yes/no and true/false words
// that are neither (read as no and false); a NumberOfSections that is not a number; each
// section's CodeDir empty (the whole disc would be copied) or not a folder on the disc; a
// DestDir on a drive that is not mapped; a [SectionN] beyond NumberOfSections.
std::vector<LintFinding> LintSetupIni(const LintContext& context);

}  // namespace setup
