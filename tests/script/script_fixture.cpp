#include "script_fixture.h"

#include "config/setup_keys.h"

namespace setup::testing {

ScriptFixture::ScriptFixture() {
  HostFileServices host = NewHostFileServices(
      MakeTempDriveMap(temp_, {{'C', "c", DriveType::Fixed}, {'D', "d", DriveType::CdRom}}),
      code_page_, "D:\\");
  fs_ = std::move(host.fs);
  processes_ = std::move(host.processes);
  links_ = std::move(host.links);

  config_.m_nSections = 1;
  config_.m_nCurrentSection = 0;
  config_.SetSectionValue(KEY_DESTDIR, "C:\\Books\\Demo");
  folders_[FOLDER_WINDOWS] = "C:\\WINDOWS";
  folders_[FOLDER_SYSTEM] = "C:\\WINDOWS\\SYSTEM";
  folders_[FOLDER_DESKTOP] = "C:\\Desktop";
  folders_[FOLDER_PROGRAMS] = "C:\\Start Menu\\Programs";
  folders_[FOLDER_STARTDIR] = "D:\\";
  folders_[FOLDER_WORKDIR] = "D:\\";
  system_.platform = PlatformLine::NT;
  system_.windows_dir = "C:\\WINDOWS";
  system_.system_dir = "C:\\WINDOWS\\SYSTEM";

  runner_ = std::make_unique<ScriptRunner>(
      ScriptServices{config_, folders_, *fs_, messages_, system_, code_page_, *processes_, *links_,
                     search_, [this](int milliseconds) { pauses_.push_back(milliseconds); }});
}

void ScriptFixture::RunScript(const std::string& text) {
  temp_.WriteFile("d/script.scr", text);
  runner_->RunScriptFile("script.scr", "D:\\");
}

}  // namespace setup::testing
