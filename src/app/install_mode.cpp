#include "app/install_mode.h"

#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "app/answers_check.h"
#include "app/console_user.h"
#include "app/front_end.h"
#include "app/progress_line.h"
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

// `answers_sound` sees SETUP.INI before anything is written; false ends the run.
int RunSequence(Host& host, FileSystem& fs, WindowSystem& ws,
                const std::function<bool(const SetupConfig&)>& answers_sound) {
  InstallState state;
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, host.code_page());
  if (!answers_sound(config)) return EXIT_USAGE;
  // The simulated machine has its Windows directory, where the uninstaller goes.
  CreateDirectoryPath(fs, host.system().windows_dir);
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

  // Without windows and without answers only a person at a terminal can answer.
  const bool ask_at_terminal = !windows && !line.unattended;
  if (ask_at_terminal && !host.IsInteractiveTerminal()) {
    console << "setup: no display and no terminal to ask questions on: run it with --unattended "
               "(answering from --answers FILE)\n";
    return EXIT_USAGE;
  }

  // Before anything is read or written, so a second copy leaves the running one's files alone.
  std::unique_ptr<InstanceLock> lock = host.NewInstanceLock();
  Result<bool> alone = lock->TryAcquire();
  if (!alone.ok()) {
    console << "setup: warning: cannot check for another running copy: "
            << alone.status().ToString() << "\n";
  } else if (!*alone) {
    console << "setup: another copy of setup is already running\n";
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

  auto answers_sound = [&](const SetupConfig& config) {
    if (!line.answers_file) return true;
    const std::vector<std::string> mistakes =
        CheckAnswers(answers, *line.answers_file, config, host.file_system());
    for (const std::string& mistake : mistakes) console << mistake << "\n";
    return mistakes.empty();
  };
  // At the terminal the questions themselves show every dialog.
  const bool echo = !line.quiet && !ask_at_terminal;
  TranscriptWriter writer(host.code_page(), transcript.get(), echo ? &console : nullptr);
  // Each section's copy as one line rewritten in place, where a terminal can show that.
  const bool show_progress = !line.quiet && host.StandardErrorIsTerminal();
  ProgressLine progress(writer, host.code_page(), console);
  ProgressFileSystem progress_fs(&host.file_system(), progress);
  FileSystem& fs = show_progress ? progress_fs : host.file_system();
  DialogObserver& observer = show_progress ? static_cast<DialogObserver&>(progress) : writer;
#ifdef SETUP_HAVE_QT
  if (windows) {
    std::unique_ptr<QtSession> session = QtSession::Open(host.code_page(), &observer);
    return RunSequence(host, fs, session->window_system(), answers_sound);
  }
#endif
  if (ask_at_terminal) {
    ConsoleUser user(host.code_page(), std::cin, std::cout);
    HeadlessWindowSystem ws(user, &observer);
    return RunSequence(host, fs, ws, answers_sound);
  }
  AnswersUser user(answers);
  HeadlessWindowSystem ws(user, &observer);
  return RunSequence(host, fs, ws, answers_sound);
}

}  // namespace setup
