#include "app/install_mode.h"

#include <iostream>
#include <memory>
#include <vector>

#include "app/front_end.h"
#include "app/setup_app.h"
#include "app/startup_checks.h"
#include "config/ini_file.h"
#include "script/directory_path.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/dialogs/answers_user.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/transcript_writer.h"
#ifdef SETUP_HAVE_QT
#include "ui/backends/qt/qt_session.h"
#endif

namespace setup {

namespace {

// The dialogs of an installation that real windows cannot show yet.
std::string DialogsWithoutWindows() {
  std::string missing;
  for (const InstallDialogInfo& dialog : InstallationDialogs()) {
#ifdef SETUP_HAVE_QT
    if (QtCanRealize(dialog.make_template())) continue;
#endif
    missing += (missing.empty() ? "" : ", ") + std::string(dialog.kind);
  }
  return missing;
}

int RunSequence(Host& host, WindowSystem& ws, TranscriptWriter& writer) {
  FileSystem& fs = host.file_system();
  // The simulated machine has its Windows directory, where the uninstaller goes.
  CreateDirectoryPath(fs, host.system().windows_dir);
  InstallState state;
  state.m_copyFailures.SetListener([&writer](const CopyFailure& failure) {
    writer.OnCopyFailure(failure.file, failure.reason);
  });
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, host.code_page());
  SpecialFolders folders(host.system(), host.registry(), findings);
  ShowConfigFindings(findings, ws.MessageBoxes());
  CSetupApp app({fs, host.code_page(), host.system(), host.registry(), config, folders, state, ws,
                 host.links(), host.processes(), host.path_search(),
                 [&host](int milliseconds) { host.Sleep(milliseconds); },
                 [&host](FileTime utc) { return host.ToLocalFileTime(utc); }});
  app.InitInstance();
  return app.exit_status();
}

}  // namespace

int RunInstallMode(Host& host, const CommandLine& line, std::ostream& console) {
  const bool windows = line.gui || (!line.unattended && host.DisplayAvailable());
  if (windows && !host.DisplayAvailable()) {
    console << "setup: --gui: no display to open windows on (DISPLAY, WAYLAND_DISPLAY and "
               "QT_QPA_PLATFORM are unset)\n";
    return EXIT_USAGE;
  }
  if (windows) {
    // Temporary: until the answers file can drive real windows, a run with them would wait
    // for a person even when it was meant to answer from a file.
    const std::string missing = DialogsWithoutWindows();
    const std::string reason = missing.empty() ? "the answers file cannot drive real windows yet"
                                               : "no real window for " + missing;
    console << "setup: real windows cannot run an installation yet (" << reason
            << ")\nRun it with --unattended, answering from --answers FILE.\n";
    return EXIT_USAGE;
  }

  // Before anything is read or written, so a second copy leaves the running one's files alone.
  std::unique_ptr<InstanceLock> lock = host.NewInstanceLock();
  Result<bool> alone = lock->TryAcquire();
  if (!alone.ok()) {
    console << "setup: warning: cannot check for another running copy: "
            << alone.status().ToString() << "\n";
  } else if (!*alone) {
    return EXIT_ALREADY_RUNNING;
  }

  IniFile answers;
  if (line.answers_file) {
    Result<std::string> text = host.ReadWholeFile(*line.answers_file);
    if (!text.ok()) {
      console << "setup: cannot read the answers file '" << *line.answers_file << "'\n";
      return EXIT_USAGE;
    }
    answers = IniFile::Parse(*text);
  }
  std::unique_ptr<std::ostream> transcript;
  if (line.transcript_file) {
    Result<std::unique_ptr<std::ostream>> created = host.CreateOutputFile(*line.transcript_file);
    if (!created.ok()) {
      console << "setup: cannot write the transcript '" << *line.transcript_file << "'\n";
      return EXIT_USAGE;
    }
    transcript = std::move(created).value();
  }

  TranscriptWriter writer(host.code_page(), transcript.get(), &console);
#ifdef SETUP_HAVE_QT
  if (windows) {
    std::unique_ptr<QtSession> session = QtSession::Open(host.code_page(), &writer);
    return RunSequence(host, session->window_system(), writer);
  }
#endif
  AnswersUser user(std::move(answers));
  HeadlessWindowSystem ws(user, &writer);
  return RunSequence(host, ws, writer);
}

}  // namespace setup
