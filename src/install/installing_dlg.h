#pragma once

#include <string>
#include <thread>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "install/copy_meter.h"
#include "install/install_state.h"
#include "install/latest_file.h"
#include "install/section_copy.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/shell_link_maker.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/dialog.h"

namespace setup {

// The worker's end, posted to the progress dialog.
inline constexpr uint32_t WM_INSTALL_DONE = MSG_USER + 5;
// The worker has a new file to show in the name fields.
inline constexpr uint32_t WM_INSTALL_FILE = MSG_USER + 6;

// What the progress dialog and its worker work with. All references outlive the dialog.
struct InstallServices {
  FileSystem& fs;
  SetupConfig& config;
  SpecialFolders& folders;
  InstallState& state;
  WindowSystem& window_system;
  const CodePage& code_page;
  ShellLinkMaker& links;
  // The replace confirmation's UTC-to-local conversion; empty for the host's zone.
  CConfirmReplaceDlg::LocalTimeFn to_local;
  // Told about every directory, file and shortcut the section makes; may be null.
  InstallRecord* record = nullptr;
};

// The progress dialog (template 112): run once per chosen section, on the section under the
// cursor. It starts InstallWorker on a thread of its own, which creates the destination,
// makes the section's source directory current and copies its tree while the dialog shows
// the file being copied. When the worker posts WM_INSTALL_DONE the dialog makes the section's
// shortcut, reports a failed expansion (text 28) and ends with ID_OK.
//
// Cancel asks the exit confirmation while the copy goes on. Continue leaves the copy running
// with the dialog open; Exit sets the exit flag, so the walk ends before its next entry, and
// the dialog ends with ID_CANCEL once the worker has posted its end: the dialog never closes
// under a running worker, the worker never touches a closed dialog, and the install
// sequence goes on only after the copy has stopped. The worker reaches the dialog only by
// posted messages.
class CInstallingDlg : public CDialog {
 public:
  // `clock` paces the name fields' updates (see LatestFile).
  explicit CInstallingDlg(InstallServices services,
                          LatestFile::Clock clock = std::chrono::steady_clock::now);
  ~CInstallingDlg() override;
  const char* ClassName() const override { return KindOf(InstallDialog::Installing); }
  bool OnInitDialog() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  intptr_t OnInstallDone();

  // The worker thread's procedure. The name fields are measured and filled on the UI thread,
  // in their own font, so the worker needs nothing from the dialog's window.
  void InstallWorker();

  Control* m_pSourceNameField = nullptr;
  Control* m_pDestNameField = nullptr;
  std::string m_strShortcutPath;

 private:
  class WorkerProgress : public CopyProgress {
   public:
    explicit WorkerProgress(CInstallingDlg& dialog) : m_dialog(dialog) {}
    void ShowFile(const std::string& source_name, const std::string& destination_path) override;
    void FileDone(uint64_t source_bytes) override { m_dialog.m_meter.Add(source_bytes); }

   private:
    CInstallingDlg& m_dialog;
  };

  void ShowPendingFile();
  void ShowProgress();
  void FinishSection();
  void JoinWorker();

  InstallServices m_services;
  std::thread m_worker;
  int m_nWidth = 0;
  // Touched on the UI thread only.
  bool m_bAsking = false;    // the exit confirmation is open
  bool m_bStopping = false;  // Exit was chosen: end with ID_CANCEL when the worker is done
  bool m_bDone = false;      // the worker has posted its end
  // The section's bytes copied, filled by the worker, shown in the bar at the window's pace
  // (with each file name the window shows, and at the end).
  CopyMeter m_meter;
  // The latest file from the worker, waiting for the UI thread.
  LatestFile m_latestFile;
};

}  // namespace setup
