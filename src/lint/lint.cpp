#include "lint/lint.h"

#include "lint/ini_lint.h"
#include "lint/script_lint.h"
#include "lint/texts_lint.h"

namespace setup {

std::vector<LintFinding> LintDisc(const LintContext& context) {
  std::vector<LintFinding> findings;
  auto add = [&](std::vector<LintFinding> more) {
    for (LintFinding& finding : more) findings.push_back(std::move(finding));
  };
  add(LintSetupIni(context));
  add(LintSetupTexts(context.setup_txt));
  add(LintScripts(context));
  return findings;
}

}  // namespace setup
