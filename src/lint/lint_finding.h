#pragma once

#include <cstddef>
#include <string>

namespace setup {

// One thing `setup --check` reports: a built-in start-up message or a finding of the
// publisher's lint. Texts are in the disc's code page.
struct LintFinding {
  enum class Kind { Message, Lint };

  Kind kind = Kind::Lint;
  // The file as the disc names it ("SETUP.INI", "SCRIPTS\EXAMPLES.TXT"), or "" for none.
  std::string file;
  // From 1, as an editor counts lines; 0 when the finding has no line.
  size_t line = 0;
  // "" when the finding is not about one section, key or script command.
  std::string section;
  std::string key;
  std::string message;
  // The caption of a built-in message's box; "" for lint findings.
  std::string caption;

  bool operator==(const LintFinding&) const = default;
};

}  // namespace setup
