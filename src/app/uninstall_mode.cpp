#include "app/uninstall_mode.h"

#include <iostream>
#include <memory>

#include "app/answers_check.h"
#include "app/answers_file.h"
#include "app/console_user.h"
#include "app/display_check.h"
#include "app/front_end.h"
#include "app/sole_instance.h"
#include "app/uninstaller.h"
#include "config/ini_file.h"
#include "install/install_record_file.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/dialogs/answers_user.h"
#include "ui/framework/transcript_writer.h"
#ifdef SETUP_HAVE_QT
#include "ui/backends/qt/qt_session.h"
#endif
#ifdef SETUP_HAVE_WIN32_UI
#include "ui/backends/win32/win32_session.h"
#endif

namespace setup {

namespace {

// The total size of the files an entry's record holds; nullopt without a readable record.
std::optional<uint64_t> RecordedBytes(Host& host, const UninstallEntry& entry) {
  Result<std::vector<RecordedEntry>> record =
      ReadInstallRecord(host.file_system(),
                        InstallRecordPath(host.system().windows_dir, entry.key, host.code_page()));
  if (!record.ok()) return std::nullopt;
  uint64_t bytes = 0;
  for (const RecordedEntry& recorded : *record) {
    if (!recorded.IsFolder() && !recorded.IsLink()) bytes += recorded.size;
  }
  return bytes;
}

int ListEntries(Host& host, const Registry& registry, std::ostream& out, std::ostream& console) {
  const std::vector<UninstallEntry> entries = ListUninstallEntries(registry, host.code_page());
  if (entries.empty()) {
    console << "setup: nothing installed is listed\n";
    return EXIT_FINISHED;
  }
  const CodePage& code_page = host.code_page();
  for (const UninstallEntry& entry : entries) {
    const std::optional<uint64_t> bytes = RecordedBytes(host, entry);
    out << code_page.ToUtf8(entry.display_name);
    if (entry.key != entry.display_name) out << " [" << code_page.ToUtf8(entry.key) << "]";
    out << "\t" << code_page.ToUtf8(entry.folder) << "\t"
        << (bytes ? std::to_string(*bytes) + " bytes" : std::string("no record")) << "\n";
  }
  return EXIT_FINISHED;
}

std::string Listed(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += "\n" + path;
  return text;
}

// Asks, removes and reports through `ws`; the exit status.
int RemoveEntry(Host& host, Registry& registry, const UninstallEntry& entry, WindowSystem& ws,
                std::ostream& console) {
  MessageBoxService& messages = ws.MessageBoxes();
  const std::string question = entry.uninstall_text.empty()
                                   ? "Remove " + entry.display_name + " from this computer?"
                                   : entry.uninstall_text;
  if (messages.ShowMessageBox({entry.display_name, question, MessageBoxIcon::Question,
                               MessageBoxButtons::YesNo}) != MessageBoxResult::Yes) {
    return EXIT_FAILED;
  }
  const UninstallOutcome outcome = RemoveInstalledEntry(
      {host.file_system(), registry, host.code_page(), host.system().windows_dir}, entry);
  const CodePage& code_page = host.code_page();
  for (const std::string& kept : outcome.kept) {
    console << "setup: kept: " << code_page.ToUtf8(kept) << "\n";
  }
  for (const std::string& failed : outcome.failed) {
    console << "setup: not removed: " << code_page.ToUtf8(failed) << "\n";
  }
  if (!outcome.kept.empty()) {
    messages.ShowMessageBox({APP_CAPTION,
                             "These were changed or added after the installation of " +
                                 entry.display_name + ", so they were kept:" + Listed(outcome.kept),
                             MessageBoxIcon::Information, MessageBoxButtons::Ok});
  }
  if (!outcome.failed.empty()) {
    const std::string problem = entry.problem_text.empty() ? "Some files of " + entry.display_name +
                                                                 " could not be removed."
                                                           : entry.problem_text;
    messages.ShowMessageBox({APP_CAPTION, problem + "\n" + Listed(outcome.failed),
                             MessageBoxIcon::Warning, MessageBoxButtons::Ok});
  }
  return outcome.kept.empty() && outcome.failed.empty() ? EXIT_FINISHED : EXIT_FILES_KEPT;
}

}  // namespace

int RunUninstallMode(Host& host, const CommandLine& line, std::ostream& out,
                     std::ostream& console) {
  // An uninstall beside a running install would remove what it is writing.
  std::unique_ptr<InstanceLock> lock = LockOutOtherCopies(host, console);
  if (lock == nullptr) return EXIT_ALREADY_RUNNING;
  Registry* registry = host.registry();
  if (registry == nullptr) {
    console << "setup: cannot open the registry file '" << host.profile().registry_file << "'\n";
    return EXIT_USAGE;
  }
  if (!line.uninstall_name) return ListEntries(host, *registry, out, console);
  const CodePage& code_page = host.code_page();
  const std::optional<UninstallEntry> entry =
      FindUninstallEntry(*registry, code_page.FromUtf8(*line.uninstall_name), code_page);
  if (!entry) {
    console << "setup: no installed entry is named '" << *line.uninstall_name
            << "' ('setup --uninstall' lists them)\n";
    return EXIT_USAGE;
  }

  const bool windows = WantsWindows(line, host.DisplayAvailable());
  const bool ask_at_terminal = !windows && !line.unattended;
  if (ask_at_terminal && !host.IsInteractiveTerminal()) {
    console << "setup: no display and no terminal to ask on: run it with --unattended "
               "(answering from --answers FILE)\n";
    return EXIT_USAGE;
  }
  std::optional<IniFile> read_answers = ReadAnswersFile(host, line.answers_file, console);
  if (!read_answers) return EXIT_USAGE;
  const IniFile& answers = *read_answers;
  if (line.answers_file) {
    // No disc is read here: the answers are checked as for a disc without sections.
    const std::vector<std::string> mistakes =
        CheckAnswers(answers, *line.answers_file, SetupConfig(), host.file_system());
    for (const std::string& mistake : mistakes) console << mistake << "\n";
    if (!mistakes.empty()) return EXIT_USAGE;
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
  TranscriptWriter writer(code_page, transcript.get(),
                          line.quiet || ask_at_terminal ? nullptr : &console);
  ConsoleUser console_user(code_page, std::cin, std::cout);
  AnswersUser answers_user(answers);
  DialogUser& user = ask_at_terminal ? static_cast<DialogUser&>(console_user) : answers_user;
#ifdef SETUP_HAVE_QT
  if (windows) {
    std::unique_ptr<QtSession> session = QtSession::Open(code_page, &writer);
    if (line.answers_file) session->SetUser(&user);
    return RemoveEntry(host, *registry, *entry, session->window_system(), console);
  }
#endif
#ifdef SETUP_HAVE_WIN32_UI
  if (windows) {
    std::unique_ptr<Win32Session> session = Win32Session::Open(code_page, &writer);
    if (line.answers_file) session->SetUser(&user);
    return RemoveEntry(host, *registry, *entry, session->window_system(), console);
  }
#endif
  HeadlessWindowSystem ws(user, &writer, code_page);
  return RemoveEntry(host, *registry, *entry, ws, console);
}

}  // namespace setup
