#include "lint/texts_lint.h"

#include <optional>
#include <string>

#include "config/setup_texts.h"
#include "ui/dialogs/format_conversion.h"
#include "ui/dialogs/text_formats.h"

namespace setup {
namespace {

constexpr char TEXT_SECTION[] = "SetupText";

std::string Describe(const TextFormatArg& arg) {
  return std::string(arg.meaning) + (arg.type == FormatArg::Type::Char ? " (%c)" : " (%s)");
}

std::string DescribeAll(const std::vector<TextFormatArg>& args) {
  std::string text;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += i + 1 == args.size() ? " and " : ", ";
    text += Describe(args[i]);
  }
  return text;
}

// The conversions of `text` that SafeFormat would copy as typed instead of filling.
std::vector<std::string> FormatProblems(const std::string& text,
                                        const std::vector<TextFormatArg>& args) {
  std::vector<std::string> problems;
  size_t next_arg = 0;
  for (const FormatConversion& spec : ReadConversions(text)) {
    if (!spec.TakesArgument()) continue;
    const std::string typed = "'" + std::string(spec.Text(text)) + "'";
    const size_t arg = next_arg++;
    if (arg >= args.size()) {
      problems.push_back(typed + " has no argument: the program passes only " + DescribeAll(args) +
                         "; it is shown as typed");
    } else if (!spec.Fits(args[arg].type)) {
      problems.push_back(typed + " does not fit " + Describe(args[arg]) + "; it is shown as typed");
    }
  }
  return problems;
}

}  // namespace

std::vector<LintFinding> LintSetupTexts(const IniFile& txt) {
  std::vector<LintFinding> findings;
  for (int id = 0; id < TEXT_COUNT; ++id) {
    if (!IsTextUsed(id)) continue;
    const std::string key = TEXT_KEY_NAMES[id];
    auto report = [&](size_t line, std::string message) {
      findings.push_back({LintFinding::Kind::Lint, LINT_SETUP_TXT, line, TEXT_SECTION, key,
                          std::move(message), ""});
    };
    std::optional<std::string> text = txt.Find(TEXT_SECTION, key);
    if (!text) {
      report(txt.LineOf(TEXT_SECTION),
             id == TEXT_WELCOMETITLE
                 ? "missing, so there is no welcome dialog (an empty WelcomeTitle= says that "
                   "on purpose)"
                 : "missing: the program shows an empty text instead");
      continue;
    }
    const size_t line = txt.LineOf(TEXT_SECTION, key);
    // The profile reader's default for a missing key; the loader takes it as one.
    if (*text == "Error") {
      report(line, "'Error' reads as a missing text: the program shows an empty text instead");
      continue;
    }
    const std::vector<TextFormatArg>& args = TextFormatArgs(id);
    if (args.empty()) continue;
    for (std::string& problem : FormatProblems(*text, args)) report(line, std::move(problem));
  }
  return findings;
}

}  // namespace setup
