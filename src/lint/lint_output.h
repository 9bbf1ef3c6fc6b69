#pragma once

#include <string>

#include "config/config_finding.h"
#include "lint/lint_finding.h"
#include "platform/code_page.h"

namespace setup {

// A built-in start-up message as a finding of kind Message.
LintFinding MessageFinding(const ConfigFinding& finding);

// The compiler-style line of a finding, without its line end, converted to UTF-8:
// "SETUP.INI:12: [Section2] CodeDir: message". The line number, "[section] " and "key: " are
// left out when the finding has none.
std::string FindingLine(const LintFinding& finding, const CodePage& code_page);

// The finding as one JSON object (no line end), texts converted to UTF-8:
// {"kind":"lint","file":...,"line":12,"section":...,"key":...,"message":...}; a built-in
// message has kind "message" and its box's "caption" too.
std::string FindingJson(const LintFinding& finding, const CodePage& code_page);

}  // namespace setup
