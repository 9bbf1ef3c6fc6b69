#pragma once

#include <functional>

#include "config/setup_config.h"
#include "config/special_folders.h"
#include "install/install_state.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/host_system.h"
#include "platform/path_search.h"
#include "platform/process_runner.h"
#include "platform/registry.h"
#include "platform/shell_link_maker.h"
#include "script/install_record.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/framework/window_system.h"

namespace setup {

// What the install sequence works with: the process-wide objects built before it (the
// configuration, the folder table, the install state) and the host's services. All
// references outlive the application object. `registry` may be null (the store could not be
// opened): the Options dialog then sees no installed section and nothing is registered.
struct SetupAppServices {
  FileSystem& fs;
  const CodePage& code_page;
  const HostSystem& system;
  Registry* registry;
  SetupConfig& config;
  SpecialFolders& folders;
  InstallState& state;
  WindowSystem& window_system;
  ShellLinkMaker& links;
  ProcessRunner& processes;
  PathSearch& search;
  // RENAME's pause between attempts.
  std::function<void(int milliseconds)> pause;
  // The replace confirmation's UTC-to-local conversion; empty for the host's zone.
  CConfirmReplaceDlg::LocalTimeFn to_local;
};

// The application object: its start-up hook runs the whole installation on the UI thread,
// from the start-up checks through welcome, Options, the copy, shortcut and uninstall entry
// of every chosen section and the section scripts, to the finished or setup-failed dialog.
// Every dialog and message box goes through the window system. The second-copy check is the
// front end's, made before the configuration is loaded.
class CSetupApp {
 public:
  explicit CSetupApp(SetupAppServices services) : m_services(std::move(services)) {}

  // Always false: the program ends when the sequence does. exit_status() tells how.
  bool InitInstance();
  // EXIT_FINISHED, EXIT_FAILED (the setup-failed dialog) or EXIT_STARTUP (SETUP.INI or
  // SETUP.TXT missing, or no rights on the NT line).
  int exit_status() const { return m_nExitStatus; }

 private:
  bool IsChosen() const;
  void RunScripts(const std::string& start_dir, InstallRecord& record);
  void EndWith(CDialog& backdrop);

  SetupAppServices m_services;
  int m_nExitStatus = 0;
};

}  // namespace setup
