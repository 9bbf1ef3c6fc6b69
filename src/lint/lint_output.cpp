#include "lint/lint_output.h"

#include "ui/framework/json_string.h"

namespace setup {

LintFinding MessageFinding(const ConfigFinding& finding) {
  return {LintFinding::Kind::Message,
          finding.file,
          finding.line,
          finding.section,
          finding.key,
          finding.text,
          finding.caption};
}

std::string FindingLine(const LintFinding& finding, const CodePage& code_page) {
  std::string line = finding.file + ":";
  if (finding.line != 0) line += std::to_string(finding.line) + ":";
  line += " ";
  if (!finding.section.empty()) line += "[" + finding.section + "] ";
  if (!finding.key.empty()) line += finding.key + ": ";
  return code_page.ToUtf8(line + finding.message);
}

std::string FindingJson(const LintFinding& finding, const CodePage& code_page) {
  auto text = [&](const std::string& ansi) { return JsonString(code_page.ToUtf8(ansi)); };
  std::string json = "{\"kind\":";
  json += finding.kind == LintFinding::Kind::Message ? "\"message\"" : "\"lint\"";
  json += ",\"file\":" + text(finding.file);
  json += ",\"line\":" + std::to_string(finding.line);
  json += ",\"section\":" + text(finding.section);
  json += ",\"key\":" + text(finding.key);
  if (finding.kind == LintFinding::Kind::Message) json += ",\"caption\":" + text(finding.caption);
  json += ",\"message\":" + text(finding.message) + "}";
  return json;
}

}  // namespace setup
