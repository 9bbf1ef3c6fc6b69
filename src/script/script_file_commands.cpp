#include <vector>

#include "platform/system_error_text.h"
#include "script/directory_path.h"
#include "script/script_runner.h"

namespace setup {
namespace {

constexpr int RENAME_PAUSE_MS = 2000;
// Attempts after the first before the user is asked.
constexpr int RENAME_RETRIES = 10;
constexpr FileTime TICKS_PER_SECOND = 10000000;

// The arguments in slots first..9, up to the first empty one.
std::vector<std::string> ArgumentsFrom(const ScriptArgs& args, size_t first) {
  std::vector<std::string> result;
  for (size_t slot = first; slot < SCRIPT_ARG_SLOTS && !args[slot].empty(); ++slot) {
    result.push_back(args[slot]);
  }
  return result;
}

}  // namespace

void ScriptRunner::ScriptDelete() {
  if (FileExists(m_services.fs, m_args[1]) && m_services.fs.RemoveFile(m_args[1]).ok() &&
      m_services.record != nullptr) {
    m_services.record->EntryRemoved(m_args[1]);
  }
}

void ScriptRunner::ScriptRename() {
  const std::string& from = m_args[1];
  const std::string& to = m_args[2];
  if (!FileExists(m_services.fs, from)) {
    ShowScriptMessage("Batch file error. The file '" + from +
                      "' does not exists; I can't rename it.");
    return;
  }
  int attempts = 0;
  for (;;) {
    Status status = m_services.fs.RenameFile(from, to);
    if (status.ok()) {
      if (m_services.record != nullptr) m_services.record->EntryMoved(from, to);
      return;
    }
    m_services.pause(RENAME_PAUSE_MS);
    ++attempts;
    if (attempts <= RENAME_RETRIES) continue;
    std::string text = SystemErrorText(status.win_error()) + "\nI can't rename \"" + from +
                       "\" as \"" + to +
                       "\". (Retry this operation at least once. If the operation continues to "
                       "fail another process might have opened the file.)";
    MessageBoxResult answer = m_services.messages.ShowMessageBox(
        {APP_CAPTION, text, MessageBoxIcon::None, MessageBoxButtons::RetryCancel});
    if (answer != MessageBoxResult::Retry) return;
  }
}

void ScriptRunner::ScriptMakeDir() {
  CreateDirectoryPath(m_services.fs, m_args[1], m_services.code_page, m_services.record);
}

void ScriptRunner::ScriptRun() {
  const std::string& program = m_args[1];
  if (!FileExists(m_services.fs, program)) {
    ShowScriptMessage("Batch file error. The file '" + program +
                      "' does not exists; I can't run it.");
    return;
  }
  ProcessRun run = m_services.processes.RunAndWait(program, ArgumentsFrom(m_args, 2));
  switch (run.outcome) {
    case ProcessRun::Outcome::Finished:
      break;
    case ProcessRun::Outcome::NotStarted:
      ShowScriptMessage("The call to CreateProcess for " + program + " failed.");
      break;
    case ProcessRun::Outcome::WaitFailed:
      ShowScriptMessage("The call to WaitForSingleObject for " + program + " failed.");
      break;
  }
}

void ScriptRunner::ScriptAttrib() {
  const std::string& path = m_args[1];
  if (!FileExists(m_services.fs, path)) return;
  auto info = m_services.fs.GetFileInfo(path);
  if (!info.ok()) return;

  struct Switch {
    const char* text;
    uint32_t bit;
    bool set;
  };
  static constexpr Switch SWITCHES[] = {
      {"+R", ATTRIB_READONLY, true}, {"-R", ATTRIB_READONLY, false}, {"+H", ATTRIB_HIDDEN, true},
      {"-H", ATTRIB_HIDDEN, false},  {"+S", ATTRIB_SYSTEM, true},    {"-S", ATTRIB_SYSTEM, false},
      {"+A", ATTRIB_ARCHIVE, true},  {"-A", ATTRIB_ARCHIVE, false},
  };
  const uint32_t old_attributes = info->attributes & 0xFF;
  uint32_t attributes = old_attributes;
  for (const auto& word : ArgumentsFrom(m_args, 2)) {
    std::string upper = m_services.code_page.Upper(word);
    for (const auto& change : SWITCHES) {
      if (upper != change.text) continue;
      attributes = change.set ? attributes | change.bit : attributes & ~change.bit;
      break;
    }
  }

  // The status goes back with its times at whole seconds. A read-only file gets its new
  // attributes first so its times can be written; failures are not reported.
  auto whole_seconds = [](FileTime time) { return time - time % TICKS_PER_SECOND; };
  auto write_times = [&] {
    m_services.fs.SetFileTimes(path, whole_seconds(info->creation_time),
                               whole_seconds(info->last_access_time),
                               whole_seconds(info->last_write_time));
  };
  if (old_attributes & ATTRIB_READONLY) {
    m_services.fs.SetAttributes(path, attributes);
    write_times();
  } else {
    write_times();
    m_services.fs.SetAttributes(path, attributes);
  }
}

}  // namespace setup
