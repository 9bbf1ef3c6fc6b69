#include "script/script_runner.h"
#include "script/shell_link.h"

namespace setup {

void ScriptRunner::ScriptCreateShortcut() {
  if (m_args[1].empty()) return;
  if (m_args[2].empty()) m_args[2] = "Default Shortcut";
  // A relative name lands in the current directory (the start directory during scripts).
  CreateShellLink(m_services.links, m_args[1], m_args[2] + ".Lnk", "", m_services.code_page);
}

}  // namespace setup
