#include "app/install_mode.h"

#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "app/answers_check.h"
#include "app/answers_file.h"
#include "app/console_user.h"
#include "app/display_check.h"
#include "app/front_end.h"
#include "app/progress_line.h"
#include "app/setup_app.h"
#include "app/sole_instance.h"
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
#ifdef SETUP_HAVE_WIN32_UI
#include "ui/backends/win32/win32_session.h"
#endif

namespace setup {

namespace {

// `answers_sound` sees SETUP.INI before anything is written; false ends the run. Each file
// that could not be copied goes to the transcript and, whatever --quiet says, to `console`.
int RunSequence(Host& host, FileSystem& fs, WindowSystem& ws, TranscriptWriter& writer,
                std::ostream& console,
                const std::function<bool(const SetupConfig&)>& answers_sound) {
  InstallState state;
  state.m_copyFailures.SetListener([&](const CopyFailure& failure) {
    writer.OnCopyFailure(failure.file, failure.reason);
    console << "setup: not copied: " << host.code_page().ToUtf8(failure.file) << ": "
            << failure.reason << std::endl;
  });
  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, host.code_page());
  if (!answers_sound(config)) return EXIT_USAGE;
  // The simulated machine has its Windows directory, where the uninstaller goes.
  CreateDirectoryPath(fs, host.system().windows_dir, host.code_page());
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
  const bool windows = WantsWindows(line, host.DisplayAvailable());

  // Without windows and without answers only a person at a terminal can answer.
  const bool ask_at_terminal = !windows && !line.unattended;
  if (ask_at_terminal && !host.IsInteractiveTerminal()) {
    console << "setup: no display and no terminal to ask questions on: run it with --unattended "
               "(answering from --answers FILE)\n";
    return EXIT_USAGE;
  }

  // Before anything is read or written, so a second copy leaves the running one's files alone.
  std::unique_ptr<InstanceLock> lock = LockOutOtherCopies(host, console);
  if (lock == nullptr) return EXIT_ALREADY_RUNNING;

  std::optional<IniFile> read_answers = ReadAnswersFile(host, line.answers_file, console);
  if (!read_answers) return EXIT_USAGE;
  const IniFile& answers = *read_answers;
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
  ConsoleUser console_user(host.code_page(), std::cin, std::cout);
  AnswersUser answers_user(answers);
  DialogUser& user = ask_at_terminal ? static_cast<DialogUser&>(console_user) : answers_user;
#ifdef SETUP_HAVE_QT
  // Screenshots of a run without windows are drawn offscreen, so a publisher can preview
  // the dialogs on any machine.
  const bool offscreen = !windows && line.screenshots_dir.has_value();
  if (windows || offscreen) {
    std::unique_ptr<QtSession> session = QtSession::Open(host.code_page(), &observer, offscreen);
    // In real windows without an answers file, a person answers.
    if (offscreen || line.answers_file) session->SetUser(&user);
    if (line.screenshots_dir) session->SetScreenshotDirectory(*line.screenshots_dir);
    return RunSequence(host, fs, session->window_system(), writer, console, answers_sound);
  }
#endif
#ifdef SETUP_HAVE_WIN32_UI
  // Windows has no offscreen windows, but always a desktop: screenshots of a run without
  // windows come from real windows that the answers (or the terminal) drive.
  if (windows || line.screenshots_dir) {
    std::unique_ptr<Win32Session> session = Win32Session::Open(host.code_page(), &observer);
    // In real windows without an answers file, a person answers.
    if (!windows || line.answers_file) session->SetUser(&user);
    if (line.screenshots_dir) session->SetScreenshotDirectory(*line.screenshots_dir);
    return RunSequence(host, fs, session->window_system(), writer, console, answers_sound);
  }
#endif
  HeadlessWindowSystem ws(user, &observer, host.code_page());
  return RunSequence(host, fs, ws, writer, console, answers_sound);
}

}  // namespace setup
