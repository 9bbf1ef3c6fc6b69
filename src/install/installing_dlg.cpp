#include "install/installing_dlg.h"

#include "install/fit_path_to_width.h"
#include "install/section_shortcut.h"
#include "install/section_source.h"
#include "install/source_tree_bytes.h"
#include "platform/code_page_text.h"
#include "script/directory_path.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/dialogs/safe_format.h"

namespace setup {

CInstallingDlg::CInstallingDlg(InstallServices services, LatestFile::Clock clock)
    : CDialog(services.window_system, TemplateOf(InstallDialog::Installing)),
      m_services(std::move(services)),
      m_latestFile(std::move(clock)) {
  OnMessageId(WM_INSTALL_DONE, [this](uintptr_t, intptr_t) { return OnInstallDone(); });
  OnMessageId(WM_INSTALL_FILE, [this](uintptr_t, intptr_t) {
    ShowPendingFile();
    return intptr_t{0};
  });
}

CInstallingDlg::~CInstallingDlg() { JoinWorker(); }

bool CInstallingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetupConfig& config = m_services.config;
  InstallState& state = m_services.state;
  state.g_bYesToAll = false;
  state.g_eventStopCopy.Reset();
  state.g_eventDialogReady.Set();
  m_bAsking = false;
  m_bStopping = false;
  m_bDone = false;
  m_pSourceNameField = GetDlgItem(InstallingIds::SOURCE_NAME);
  m_pDestNameField = GetDlgItem(InstallingIds::DEST_NAME);
  m_nWidth = m_pDestNameField ? m_pDestNameField->GetRect().Width() : 0;
  if (config.m_bValid) {
    SetCaptionText(config.GetText(TEXT_INSTALLINGTITLE));
    SetControlText(InstallingIds::TEXT, config.GetText(TEXT_INSTALLINGTEXT1));
    SetControlText(InstallingIds::TO_TEXT, config.GetText(TEXT_INSTALLINGTEXT2));
    SetControlText(InstallingIds::SOURCE_NAME, "");
    SetControlText(InstallingIds::DEST_NAME, "");
    SetControlText(InstallingIds::CANCEL, config.GetText(TEXT_CANCELBUTTON));
  }
  CenterWindow();
  state.g_bCopyFailed = false;
  JoinWorker();
  m_worker = std::thread([this] { InstallWorker(); });
  return true;
}

void CInstallingDlg::InstallWorker() {
  InstallState& state = m_services.state;
  SetupConfig& config = m_services.config;
  FileSystem& fs = m_services.fs;
  state.g_eventDialogReady.Wait();
  const std::string destination = config.GetSectionValue(KEY_DESTDIR);
  CreateDirectoryPath(fs, destination, m_services.code_page, m_services.record);
  const std::string source =
      SectionSourceDirectory(config, m_services.folders, m_services.code_page);
  // A source that exists but cannot be made current (a file, no access) is as missing: the
  // walk must not read whatever directory happens to be current.
  if (FileExists(fs, source) && fs.ChangeDirectory(source).ok()) {
    m_meter.Start(SourceTreeBytes(fs, fs.CurrentDirectory(), m_services.code_page));
    SectionCopy copy({fs, config, state, m_services.window_system, m_services.code_page,
                      m_services.to_local, m_services.record});
    WorkerProgress progress(*this);
    copy.CopyDirectoryTree(destination, &progress);
  } else {
    std::string text =
        config.m_bValid ? SafeFormat(
                              "The book's files are supposed to be in a directory named '%s'. "
                              "Setup can't find this directory so it's exiting.",
                              {FormatArg::Str(source)})
                        : "Setup can't find the directory where the files should be stored so it's "
                          "exiting.";
    m_services.window_system.MessageBoxes().ShowMessageBox(
        {APP_CAPTION, text, MessageBoxIcon::Warning, MessageBoxButtons::Ok});
    state.m_bExitRequested = true;
  }
  Post(WM_INSTALL_DONE);
}

void CInstallingDlg::WorkerProgress::ShowFile(const std::string& source_name,
                                              const std::string& destination_path) {
  if (m_dialog.m_latestFile.Offer(source_name, destination_path)) {
    m_dialog.Post(WM_INSTALL_FILE);
  }
}

void CInstallingDlg::ShowPendingFile() {
  std::string source;
  std::string destination;
  if (!m_latestFile.Take(source, destination)) return;
  if (m_pSourceNameField) m_pSourceNameField->SetText(source);
  if (m_pDestNameField) {
    m_pDestNameField->SetText(
        FitPathToWidth(*m_pDestNameField, destination, m_nWidth, m_services.code_page));
  }
  ShowProgress();
}

void CInstallingDlg::ShowProgress() {
  if (auto* bar = dynamic_cast<ProgressControl*>(GetDlgItem(InstallingIds::PROGRESS)))
    bar->SetPos(m_meter.Percent());
}

intptr_t CInstallingDlg::OnInstallDone() {
  m_bDone = true;
  // Finished once the exit confirmation is answered.
  if (!m_bAsking) FinishSection();
  return 0;
}

void CInstallingDlg::FinishSection() {
  SetupConfig& config = m_services.config;
  ShowPendingFile();
  ShowProgress();
  if (m_services.state.m_bExitRequested) {
    EndDialog(m_bStopping ? ID_CANCEL : ID_OK);
    return;
  }
  CreateSectionShortcut(config, m_services.folders, m_services.code_page, m_services.links,
                        m_strShortcutPath, m_services.record);
  if (m_services.state.g_bCopyFailed) {
    ShowMessage(config.GetText(TEXT_LONGFILENAMEPROBLEMTEXT), APP_CAPTION, MessageBoxIcon::Warning);
  }
  OnOK();
}

void CInstallingDlg::OnCancel() {
  if (m_bAsking || m_bStopping) return;
  m_bAsking = true;
  CExitDlg confirm(window_system(), m_services.config, m_services.state.m_bExitRequested);
  confirm.DoModal();
  m_bAsking = false;
  if (m_services.state.m_bExitRequested) {
    m_bStopping = true;
    m_services.state.g_eventStopCopy.Set();
    EnableDlgItem(InstallingIds::CANCEL, false);
  }
  if (m_bDone) FinishSection();
}

void CInstallingDlg::PostNcDestroy() {
  // Ended without the worker's end (the window system closed it): stop the walk before the
  // next entry and wait for it, so nothing outlives the dialog.
  if (!m_bDone && m_worker.joinable()) {
    m_services.state.m_bExitRequested = true;
    m_services.state.g_eventStopCopy.Set();
  }
  JoinWorker();
  CDialog::PostNcDestroy();
}

void CInstallingDlg::JoinWorker() {
  if (m_worker.joinable()) m_worker.join();
}

}  // namespace setup
