#include "script/script_runner.h"
#include "script/shell_link.h"

namespace setup {

void ScriptRunner::ScriptCreateShortcut() {
  if (m_args[1].empty()) return;
  if (m_args[2].empty()) m_args[2] = "Default Shortcut";
  // A relative name lands in the current directory (the start directory during scripts).
  const std::string link_file = m_args[2] + ".Lnk";
  if (CreateShellLink(m_services.links, m_args[1], link_file, "", m_services.code_page).ok() &&
      m_services.record != nullptr) {
    m_services.record->LinkMade(link_file);
  }
}

}  // namespace setup
