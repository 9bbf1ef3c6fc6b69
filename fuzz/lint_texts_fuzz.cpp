// Feeds arbitrary SETUP.TXT files to the texts lint and arbitrary scripts to the line reader
// the script lint numbers lines with.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/ini_file.h"
#include "lint/script_file_lines.h"
#include "lint/texts_lint.h"
#include "script/script_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const setup::LintFinding& finding : setup::LintSetupTexts(setup::IniFile::Parse(text))) {
    if (finding.line > size + 1) __builtin_trap();
  }
  size_t last = 0;
  for (const setup::NumberedScriptLine& line : setup::ReadNumberedScriptLines(text)) {
    // Lines come in order, each within the text and no longer than the runner keeps.
    if (line.line < last || line.line > size + 1 || line.text.size() > setup::MAX_SCRIPT_LINE) {
      __builtin_trap();
    }
    if (line.bare_line_feed != 0 && line.bare_line_feed < line.line) __builtin_trap();
    last = line.line;
  }
  return 0;
}
