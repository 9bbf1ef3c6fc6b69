#include "script/script_runner.h"

#include <new>
#include <vector>

#include "script/path_macro.h"
#include "script/script_line.h"
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
  size_t count = SplitScriptLine(line, m_args, m_services.code_page);
  for (size_t slot = 0; slot < count; ++slot) {
    ExpandPathMacro(m_args[slot], m_services.config, m_services.folders, m_services.code_page);
  }
  DispatchScriptCommand();
}

void ScriptRunner::DispatchScriptCommand() {
  struct Command {
    const char* keyword;
    void (ScriptRunner::*handler)();
  };
  static constexpr Command COMMANDS[] = {
      {"COPY", &ScriptRunner::ScriptCopy},
      {"COPYNTONLY", &ScriptRunner::ScriptCopyNtOnly},
      {"COPYFILEIFNOTINPATH", &ScriptRunner::ScriptCopyIfNotInPath},
      {"DEL", &ScriptRunner::ScriptDelete},
      {"RENAME", &ScriptRunner::ScriptRename},
      {"MD", &ScriptRunner::ScriptMakeDir},
      {"CREATESHORTCUT", &ScriptRunner::ScriptCreateShortcut},
      {"RUN", &ScriptRunner::ScriptRun},
      {"ATTRIB", &ScriptRunner::ScriptAttrib},
  };
  // Upper-cased in place, so messages quote the command word as the keyword.
  m_args[0] = m_services.code_page.Upper(m_args[0]);
  for (const auto& command : COMMANDS) {
    if (m_args[0] == command.keyword) {
      (this->*command.handler)();
      return;
    }
  }
}

void ScriptRunner::ShowScriptMessage(const std::string& text) {
  m_services.messages.ShowMessageBox(
      {APP_CAPTION, text, MessageBoxIcon::Warning, MessageBoxButtons::Ok});
}

}  // namespace setup
