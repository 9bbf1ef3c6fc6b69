#include "script/script_commands.h"

#include "script/script_args.h"

namespace setup {

const ScriptCommandSpec* FindScriptCommand(std::string_view keyword) {
  constexpr size_t ALL = SCRIPT_ARG_SLOTS - 1;
  static constexpr ScriptCommandSpec COMMANDS[] = {
      {"COPY", ScriptCommandId::Copy, 2, 2, 1, 1u << 2},
      {"COPYNTONLY", ScriptCommandId::CopyNtOnly, 2, 2, 1, 1u << 2},
      {"COPYFILEIFNOTINPATH", ScriptCommandId::CopyIfNotInPath, 3, 3, 2, 1u << 3},
      {"DEL", ScriptCommandId::Delete, 1, 1, 0, 1u << 1},
      {"RENAME", ScriptCommandId::Rename, 2, 2, 0, (1u << 1) | (1u << 2)},
      {"MD", ScriptCommandId::MakeDir, 1, 1, 0, 1u << 1},
      // The link's name defaults to "Default Shortcut".
      {"CREATESHORTCUT", ScriptCommandId::CreateShortcut, 1, 2, 0, 1u << 2},
      // The program's arguments follow it.
      {"RUN", ScriptCommandId::Run, 1, ALL, 0, 0},
      // The attribute switches follow the path.
      {"ATTRIB", ScriptCommandId::Attrib, 2, ALL, 0, 1u << 1},
  };
  for (const auto& command : COMMANDS) {
    if (keyword == command.keyword) return &command;
  }
  return nullptr;
}

}  // namespace setup
