#include "app/setup_app.h"

#include <atomic>

#include "app/front_end.h"
#include "app/install_recorder.h"
#include "app/register_uninstall.h"
#include "app/startup_checks.h"
#include "install/install_preparation.h"
#include "install/installing_dlg.h"
#include "script/script_runner.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/dialogs/options_dlg.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

// What the Options dialog reads when the registry could not be opened: no key at all.
class NoRegistry : public Registry {
 public:
  bool KeyExists(const std::string&) const override { return false; }
  std::optional<std::string> QueryValue(const std::string&, const std::string&) const override {
    return std::nullopt;
  }
  Status CreateKey(const std::string& key) override { return Unavailable(key); }
  Status SetValue(const std::string& key, const std::string&, const std::string&) override {
    return Unavailable(key);
  }
  std::vector<std::string> SubKeyNames(const std::string&) const override { return {}; }
  Status DeleteKey(const std::string& key) override { return Unavailable(key); }

 private:
  static Status Unavailable(const std::string& key) {
    return Status::Error(WinError::AccessDenied, key, "the registry is not available");
  }
};

}  // namespace

bool CSetupApp::IsChosen() const {
  return EqualsNoCaseAscii(m_services.config.GetSectionValue(KEY_INSTALLBYDEFAULT), "TRUE");
}

bool CSetupApp::InitInstance() {
  SetupConfig& config = m_services.config;
  SpecialFolders& folders = m_services.folders;
  FileSystem& fs = m_services.fs;
  WindowSystem& ws = m_services.window_system;
  MessageBoxService& messages = ws.MessageBoxes();
  std::atomic<bool>& exit_requested = m_services.state.m_bExitRequested;
  CUpdatingDlg updating(ws, config);

  if (MissingStartupFile(fs, messages)) {
    m_nExitStatus = EXIT_STARTUP;
    return false;
  }
  if (m_services.system.platform == PlatformLine::NT &&
      !m_services.system.can_open_service_manager) {
    messages.ShowMessageBox({APP_CAPTION, config.GetText(TEXT_UPDATEREGISTRYERROR),
                             MessageBoxIcon::Warning, MessageBoxButtons::Ok});
    m_nExitStatus = EXIT_STARTUP;
    return false;
  }
  const std::string start_dir = fs.CurrentDirectory();

  InstallRecorder recorder(fs, config, m_services.code_page, folders[FOLDER_WINDOWS]);
  CInstallingDlg installing({fs, config, folders, m_services.state, ws, m_services.code_page,
                             m_services.links, m_services.to_local, &recorder});
  CBackdropDlg backdrop(ws, config);
  backdrop.Create();
  if (!config.GetText(TEXT_WELCOMETITLE).empty()) {
    CWelcomeDlg welcome(ws, config);
    welcome.DoModal();
  }
  PrepareInstall(config, folders, m_services.code_page, start_dir);

  NoRegistry no_registry;
  {
    COptionsDlg options(ws, config, folders, fs,
                        m_services.registry ? *m_services.registry : no_registry,
                        m_services.code_page, exit_requested);
    options.DoModal();
  }
  if (exit_requested) {
    EndWith(backdrop);
    return false;
  }

  for (int s = 0; s < config.m_nSections && !exit_requested; ++s) {
    config.m_nCurrentSection = s;
    if (!IsChosen()) continue;
    fs.ChangeDirectory(folders[FOLDER_WORKDIR]);
    // Returns only once the section's worker has stopped.
    installing.DoModal();
    fs.ChangeDirectory(folders[FOLDER_WORKDIR]);
    RegisterUninstall(
        {fs, config, folders, m_services.registry, messages, m_services.code_page, &recorder});
  }
  if (exit_requested) {
    EndWith(backdrop);
    return false;
  }

  updating.Create();
  RunScripts(start_dir, recorder);
  for (const Status& failed : recorder.SaveAgain()) ShowRecordFailure(messages, failed);
  updating.DestroyWindow();
  EndWith(backdrop);
  return false;
}

void CSetupApp::RunScripts(const std::string& start_dir, InstallRecord& record) {
  SetupConfig& config = m_services.config;
  FileSystem& fs = m_services.fs;
  ScriptRunner runner({config, m_services.folders, fs, m_services.window_system.MessageBoxes(),
                       m_services.system, m_services.code_page, m_services.processes,
                       m_services.links, m_services.search, m_services.pause, &record});
  for (int s = 0; s < config.m_nSections; ++s) {
    config.m_nCurrentSection = s;
    if (!IsChosen()) continue;
    const std::string command_file = config.GetSectionValue(KEY_COMMANDFILE);
    if (command_file.empty() || command_file == "NULL") continue;
    fs.ChangeDirectory(m_services.folders[FOLDER_WORKDIR]);
    runner.RunScriptFile(command_file, start_dir);
  }
}

void CSetupApp::EndWith(CDialog& backdrop) {
  WindowSystem& ws = m_services.window_system;
  if (m_services.state.m_bExitRequested) {
    CSetupFailedDlg failed(ws, m_services.config);
    failed.DoModal();
    m_nExitStatus = EXIT_FAILED;
  } else {
    CFinishedDlg finished(ws, m_services.config);
    finished.DoModal();
    m_nExitStatus =
        m_services.state.m_copyFailures.Count() > 0 ? EXIT_FILES_NOT_COPIED : EXIT_FINISHED;
  }
  backdrop.DestroyWindow();
}

}  // namespace setup
