#include "lint/script_lint.h"

#include <string>

#include "lint/drive_check.h"
#include "lint/script_file_lines.h"
#include "script/expanded_script_line.h"
#include "script/script_commands.h"
#include "script/script_line.h"

namespace setup {
namespace {

// Scripts are small; a larger file is read this far.
constexpr size_t MAX_SCRIPT_BYTES = 16 * 1024 * 1024;

std::string Arguments(size_t count) {
  return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

class ScriptLint {
 public:
  ScriptLint(const LintContext& context, std::string file, std::string section)
      : m_context(context), m_file(std::move(file)), m_section(std::move(section)) {
    m_startDir = m_context.code_page.Upper(m_context.folders[FOLDER_STARTDIR]);
  }

  void CheckLine(const NumberedScriptLine& line) {
    m_line = line.line;
    if (line.bare_line_feed != 0) {
      m_line = line.bare_line_feed;
      Finding("",
              "the line ends with a line feed alone, which ends no script line: it runs "
              "joined to the next line (end lines with CR LF)");
      return;
    }
    ScriptArgs raw;
    const size_t fields = SplitScriptLine(line.text, raw, m_context.code_page);
    if (fields == 0) return;
    ScriptArgs args;
    ExpandScriptLine(line.text, args, m_context.config, m_context.folders, m_context.code_page);
    m_command = raw[0];
    CheckMacros(raw, args, fields);
    const ScriptCommandSpec* spec = FindScriptCommand(m_context.code_page.Upper(args[0]));
    if (spec == nullptr) {
      Finding(m_command, "unknown command: the line does nothing");
      return;
    }
    const size_t given = fields - 1;
    if (given < spec->min_args) {
      Finding(m_command, "needs " + Arguments(spec->min_args) + ", has " + std::to_string(given));
    } else if (given > spec->max_args) {
      Finding(m_command, "takes " + Arguments(spec->max_args) + ", has " + std::to_string(given) +
                             ": the rest are ignored");
    }
    if (spec->source_slot != 0 && spec->source_slot < fields) {
      CheckSource(args[spec->source_slot]);
    }
    for (size_t slot = 1; slot < fields; ++slot) {
      if ((spec->written_slots & (1u << slot)) == 0 && slot != spec->source_slot) continue;
      if (auto unmapped = UnmappedDriveMessage(m_context.fs, args[slot])) {
        Finding(m_command, *unmapped);
      }
    }
  }

  std::vector<LintFinding> TakeFindings() { return std::move(m_findings); }

 private:
  void Finding(const std::string& key, std::string message) {
    m_findings.push_back(
        {LintFinding::Kind::Lint, m_file, m_line, m_section, key, std::move(message), ""});
  }

  // A macro the runner does not know stays in the path as typed (upper-cased).
  void CheckMacros(const ScriptArgs& raw, const ScriptArgs& expanded, size_t fields) {
    for (size_t slot = 1; slot < fields; ++slot) {
      if (raw[slot].empty() || raw[slot][0] != '%') continue;
      if (expanded[slot].empty() || expanded[slot][0] != '%') continue;
      const size_t close = raw[slot].find('%', 1);
      const std::string macro =
          close == std::string::npos ? raw[slot] : raw[slot].substr(0, close + 1);
      Finding(m_command, "'" + macro + "' is not a known macro: the path keeps it as typed");
    }
  }

  // Only a source on the disc can be checked now; others are looked for at install time.
  void CheckSource(const std::string& source) {
    const std::string full = m_context.code_page.Upper(m_context.fs.FullPathName(source));
    if (full.compare(0, m_startDir.size(), m_startDir) != 0) return;
    if (!m_context.fs.GetAttributes(source).ok()) {
      Finding(m_command, "the source '" + source + "' is not on the disc");
    }
  }

  const LintContext& m_context;
  std::string m_file;
  std::string m_section;
  std::string m_startDir;
  size_t m_line = 0;
  std::string m_command;
  std::vector<LintFinding> m_findings;
};

}  // namespace

std::vector<LintFinding> LintScripts(const LintContext& context) {
  std::vector<LintFinding> findings;
  SetupConfig& config = context.config;
  const int cursor = config.m_nCurrentSection;
  for (int s = 0; s < config.m_nSections; ++s) {
    const std::string command_file = config.GetSectionValue(s, KEY_COMMANDFILE);
    if (command_file.empty() || command_file == "NULL") continue;
    Result<std::string> text = ReadFileContents(context.fs, command_file, MAX_SCRIPT_BYTES);
    if (!text.ok()) continue;
    // Macros such as %INSTALLPATH% name the section whose script it is.
    config.m_nCurrentSection = s;
    ScriptLint lint(context, command_file, "Section" + std::to_string(s + 1));
    for (const NumberedScriptLine& line : ReadNumberedScriptLines(*text)) lint.CheckLine(line);
    for (LintFinding& finding : lint.TakeFindings()) findings.push_back(std::move(finding));
  }
  config.m_nCurrentSection = cursor;
  return findings;
}

}  // namespace setup
