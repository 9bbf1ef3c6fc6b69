#pragma once

#include <vector>

#include "lint/lint_context.h"
#include "lint/lint_finding.h"

namespace setup {

// The publisher's lint of a whole disc: SETUP.INI, then SETUP.TXT, then the sections'
// scripts, each file's findings in line order within each check.
std::vector<LintFinding> LintDisc(const LintContext& context);

}  // namespace setup
