#pragma once

#include <cstddef>
#include <string_view>

namespace setup {

enum class ScriptCommandId {
  Copy,
  CopyNtOnly,
  CopyIfNotInPath,
  Delete,
  Rename,
  MakeDir,
  CreateShortcut,
  Run,
  Attrib,
};

// A script command word and what its handler reads: arguments in slots 1 to max_args (the
// fewest it needs to do anything is min_args), the slot of a file it copies from (0: none)
// and the slots of the paths it writes, as bits (bit n for slot n).
struct ScriptCommandSpec {
  const char* keyword;
  ScriptCommandId id;
  size_t min_args;
  size_t max_args;
  size_t source_slot;
  unsigned written_slots;
};

// The command of an upper-cased command word, or nullptr for a word no command has.
const ScriptCommandSpec* FindScriptCommand(std::string_view keyword);

}  // namespace setup
