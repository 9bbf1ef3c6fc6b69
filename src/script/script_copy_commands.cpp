#include "script/copy_if_newer.h"
#include "script/path_split.h"
#include "script/script_runner.h"

namespace setup {

void ScriptRunner::ScriptCopy() {
  const std::string& command = m_args[0];
  const std::string& source = m_args[1];
  if (source.find('.') == std::string::npos) {
    ShowScriptMessage("'" + source + "' is an illegal filename. (The filename _must_ have an " +
                      "extension.)");
    return;
  }
  PathParts from = SplitPath(source, m_services.code_page);
  PathParts to = SplitPath(m_args[2], m_services.code_page);
  auto quoted_line = [&] { return "('" + command + "    " + source + "    " + m_args[2] + "')"; };
  if (from.drive.empty() || to.drive.empty()) {
    ShowScriptMessage("You must specify a source and destination drive. " + quoted_line());
    return;
  }
  if (from.directory.empty() || to.directory.empty()) {
    ShowScriptMessage("You must specify a source and destination path. " + quoted_line());
    return;
  }
  // A destination without an extension names a directory: the source's name goes below it.
  if (to.extension.empty()) {
    m_args[2] = to.drive + to.directory + to.name + "\\" + from.name + from.extension;
  }
  const std::string& destination = m_args[2];
  if (!FileExists(m_services.fs, source)) {
    ShowScriptMessage("The file " + source + " does not exist. (Script command '" + command +
                      "    " + source + "    " + destination + "')");
    return;
  }
  InstallRecord* record = m_services.record;
  if (!FileExists(m_services.fs, destination)) {
    if (m_services.fs.CopyFileTo(source, destination, false).ok() && record != nullptr) {
      record->FileWritten(destination, false, std::nullopt);
    }
  } else if (CopyIfNewer(m_services.fs, m_services.messages, source, destination) &&
             record != nullptr) {
    record->FileWritten(destination, true, std::nullopt);
  }
}

void ScriptRunner::ScriptCopyNtOnly() {
  if (m_services.system.PlatformId() == static_cast<int>(PlatformLine::NT)) ScriptCopy();
}

void ScriptRunner::ScriptCopyIfNotInPath() {
  if (m_services.search.FindOnPath(m_args[1])) return;
  m_args[1] = m_args[2];
  m_args[2] = m_args[3];
  ScriptCopy();
}

}  // namespace setup
