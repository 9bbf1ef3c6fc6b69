#include "app/install_mode.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <thread>

#include "app/front_end.h"
#include "app/setup_app.h"
#include "config/ini_file.h"
#include "platform/instance_lock.h"
#include "platform/posix_path_search.h"
#include "platform/posix_process_runner.h"
#include "platform/posix_shell_link_maker.h"
#include "script/directory_path.h"
#include "ui/backends/headless/answers_user.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/framework/transcript_writer.h"
#ifdef SETUP_HAVE_QT
#include "ui/backends/qt/qt_session.h"
#endif

namespace setup {

namespace {

bool HasEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool DisplayAvailable() {
  return HasEnv("DISPLAY") || HasEnv("WAYLAND_DISPLAY") || HasEnv("QT_QPA_PLATFORM");
}

// The dialogs of an installation that real windows cannot show yet.
std::string DialogsWithoutWindows() {
  const std::pair<const char*, DialogTemplate> dialogs[] = {
      {"CWelcomeDlg", WelcomeTemplate()},
      {"CBackdropDlg", BackdropTemplate()},
      {"CConfirmReplaceDlg", ConfirmReplaceTemplate()},
      {"CFinishedDlg", FinishedTemplate()},
      {"CNoRoomDlg", NoRoomTemplate()},
      {"CExitDlg", ExitTemplate()},
      {"CSetupFailedDlg", SetupFailedTemplate()},
      {"CInstallingDlg", InstallingTemplate()},
      {"CBrowseDlg", BrowseTemplate()},
      {"CUpdatingDlg", UpdatingTemplate()},
      {"COptionsDlg", OptionsTemplate()},
  };
  std::string missing;
  for (const auto& [name, dialog_template] : dialogs) {
#ifdef SETUP_HAVE_QT
    if (QtCanRealize(dialog_template)) continue;
#else
    (void)dialog_template;
#endif
    missing += (missing.empty() ? "" : ", ") + std::string(name);
  }
  return missing;
}

int RunSequence(HostEnvironment& env, WindowSystem& ws) {
  // The simulated machine has its Windows directory, where the uninstaller goes.
  CreateDirectoryPath(*env.fs, env.system.windows_dir);
  InstallState state;
  SetupConfig config(*env.fs, env.code_page, ws.MessageBoxes());
  RegistryFile* registry = env.registry ? &*env.registry : nullptr;
  SpecialFolders folders(env.system, registry, ws.MessageBoxes());
  PosixShellLinkMaker links(*env.fs);
  PosixProcessRunner processes(*env.fs, env.code_page);
  PosixPathSearch search = PosixPathSearch::FromEnvironment(*env.fs, env.system, env.code_page);
  CSetupApp app({*env.fs,
                 env.code_page,
                 env.system,
                 registry,
                 config,
                 folders,
                 state,
                 ws,
                 links,
                 processes,
                 search,
                 [](int milliseconds) {
                   std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
                 },
                 {}});
  app.InitInstance();
  return app.exit_status();
}

}  // namespace

std::string InstanceLockPath(const std::string& module_file) {
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = tmp && *tmp ? tmp : "/tmp";
  std::ostringstream name;
  name << dir << "/setup-" << getuid() << "-" << std::hex << std::hash<std::string>{}(module_file)
       << ".lock";
  return name.str();
}

int RunInstallMode(HostEnvironment& env, const CommandLine& line, std::ostream& console) {
  const bool windows = line.gui || (!line.unattended && DisplayAvailable());
  if (windows && !DisplayAvailable()) {
    console << "setup: --gui: no display to open windows on (DISPLAY, WAYLAND_DISPLAY and "
               "QT_QPA_PLATFORM are unset)\n";
    return EXIT_USAGE;
  }
  if (windows) {
    const std::string missing = DialogsWithoutWindows();
    if (!missing.empty()) {
      console << "setup: real windows cannot show every dialog of an installation yet (" << missing
              << ")\nRun it with --unattended, answering from --answers FILE.\n";
      return EXIT_USAGE;
    }
  }

  // Before anything is read or written, so a second copy leaves the running one's files alone.
  InstanceLock lock(InstanceLockPath(env.system.module_file));
  Result<bool> alone = lock.TryAcquire();
  if (!alone.ok()) {
    console << "setup: warning: cannot check for another running copy: "
            << alone.status().ToString() << "\n";
  } else if (!*alone) {
    return EXIT_ALREADY_RUNNING;
  }

  IniFile answers;
  if (line.answers_file) {
    std::ifstream in(*line.answers_file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    if (!in) {
      console << "setup: cannot read the answers file '" << *line.answers_file << "'\n";
      return EXIT_USAGE;
    }
    answers = IniFile::Parse(text.str());
  }
  std::optional<std::ofstream> transcript;
  if (line.transcript_file) {
    transcript.emplace(*line.transcript_file, std::ios::binary | std::ios::trunc);
    if (!*transcript) {
      console << "setup: cannot write the transcript '" << *line.transcript_file << "'\n";
      return EXIT_USAGE;
    }
  }

  TranscriptWriter writer(env.code_page, transcript ? &*transcript : nullptr, &console);
#ifdef SETUP_HAVE_QT
  if (windows) {
    std::unique_ptr<QtSession> session = QtSession::Open(env.code_page, &writer);
    return RunSequence(env, session->window_system());
  }
#endif
  AnswersUser user(std::move(answers));
  HeadlessWindowSystem ws(user, &writer);
  return RunSequence(env, ws);
}

}  // namespace setup
