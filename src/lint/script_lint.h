#pragma once

#include <vector>

#include "lint/lint_context.h"
#include "lint/lint_finding.h"

namespace setup {

// Every line of every section's script, read and split as the runner reads it and with its
// path macros expanded for that section: line feeds that end no script line, unknown
// commands, too few or too many arguments, unknown macros, a source on the disc that is not
// there, and paths on drives that are not mapped. A script that cannot be read is left to
// start-up's own message.
std::vector<LintFinding> LintScripts(const LintContext& context);

}  // namespace setup
