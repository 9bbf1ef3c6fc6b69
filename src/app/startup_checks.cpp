#include "app/startup_checks.h"

namespace setup {

bool MissingStartupFile(FileSystem& fs, MessageBoxService& messages) {
  static const struct {
    const char* path;
    const char* message;
  } kRequired[] = {
      {".\\SETUP.INI", "Can't find Setup.ini. Setup needs this file to continue so it's exiting."},
      {".\\SETUP.TXT", "Can't find Setup.txt. Setup needs this file to continue so it's exiting."},
  };
  for (const auto& file : kRequired) {
    if (!FileExists(fs, file.path)) {
      messages.ShowMessageBox(
          {APP_CAPTION, file.message, MessageBoxIcon::Warning, MessageBoxButtons::Ok});
      return true;
    }
  }
  return false;
}

void ShowConfigFindings(const std::vector<ConfigFinding>& findings, MessageBoxService& messages) {
  for (const ConfigFinding& finding : findings) {
    messages.ShowMessageBox(
        {finding.caption, finding.text, MessageBoxIcon::Warning, MessageBoxButtons::Ok});
  }
}

}  // namespace setup
