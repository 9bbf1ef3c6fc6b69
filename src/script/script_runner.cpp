#include "script/script_runner.h"

#include <new>
#include <vector>

#include "script/expanded_script_line.h"
#include "script/script_commands.h"
#include "script/script_text_reader.h"

namespace setup {
namespace {

constexpr size_t SCRIPT_READ_CHUNK = 64 * 1024;

}  // namespace

void ScriptRunner::RunScriptFile(const std::string& file_name,
                                 const std::string& working_directory) {
  if (file_name == "NULL") return;
  m_services.fs.ChangeDirectory(working_directory);
  if (file_name.empty()) return;

  auto file = m_services.fs.OpenForRead(file_name);
  if (!file.ok()) {
    ShowScriptMessage("Couldn't find script file " + file_name + ".");
    return;
  }
  std::vector<char> chunk;
  try {
    chunk.resize(SCRIPT_READ_CHUNK);
  } catch (const std::bad_alloc&) {
    ShowScriptMessage("Couldn't allocate memory to read script file " + file_name + ".");
    return;
  }

  // The text is read and run chunk by chunk: a script of any size runs in constant memory.
  ScriptTextReader reader([this](std::string_view line) { RunScriptLine(std::string(line)); });
  for (;;) {
    auto got = (*file)->Read(chunk.data(), chunk.size());
    // A read failure ends the text where it happened, as a short read would.
    if (!got.ok() || *got == 0) break;
    if (!reader.Feed(std::string_view(chunk.data(), *got))) break;
  }
  reader.Finish();
}

void ScriptRunner::RunScriptLine(const std::string& line) {
  ExpandScriptLine(line, m_args, m_services.config, m_services.folders, m_services.code_page);
  DispatchScriptCommand();
}

void ScriptRunner::DispatchScriptCommand() {
  // Upper-cased in place, so messages quote the command word as the keyword.
  m_args[0] = m_services.code_page.Upper(m_args[0]);
  const ScriptCommandSpec* command = FindScriptCommand(m_args[0]);
  if (command == nullptr) return;
  switch (command->id) {
    case ScriptCommandId::Copy:
      return ScriptCopy();
    case ScriptCommandId::CopyNtOnly:
      return ScriptCopyNtOnly();
    case ScriptCommandId::CopyIfNotInPath:
      return ScriptCopyIfNotInPath();
    case ScriptCommandId::Delete:
      return ScriptDelete();
    case ScriptCommandId::Rename:
      return ScriptRename();
    case ScriptCommandId::MakeDir:
      return ScriptMakeDir();
    case ScriptCommandId::CreateShortcut:
      return ScriptCreateShortcut();
    case ScriptCommandId::Run:
      return ScriptRun();
    case ScriptCommandId::Attrib:
      return ScriptAttrib();
  }
}

void ScriptRunner::ShowScriptMessage(const std::string& text) {
  m_services.messages.ShowMessageBox(
      {APP_CAPTION, text, MessageBoxIcon::Warning, MessageBoxButtons::Ok});
}

}  // namespace setup
