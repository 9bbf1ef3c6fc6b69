#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace setup::testing {

// One [SectionN] of a test disc.
struct DiscSection {
  std::string code_dir;
  std::string dest_dir;
  std::string product;
  std::string shortcut_location = "NULL";
  std::string shortcut_name = "Shortcut";
  std::string by_default = "TRUE";
  std::string command_file = {};
  std::string uninstall = "FALSE";
};

// A disc in a temporary directory (disc/, the start directory, mapped as D:), a sandbox
// drive C (c/) with Desktop, Documents and Favorites in its Shell Folders, C:\WINDOWS as the
// Windows directory, and the `setup` binary run on them as its own process.
class SetupRunner {
 public:
  SetupRunner();
  ~SetupRunner();
  SetupRunner(const SetupRunner&) = delete;
  SetupRunner& operator=(const SetupRunner&) = delete;

  // SETUP.INI with these sections and the underscore rule as given; SETUP.TXT from the
  // sample disc.
  void WriteDisc(const std::vector<DiscSection>& sections, bool underscores = false);
  // The bundled sample disc (examples/sample_disc) as the disc.
  void UseSampleDisc();
  void Answers(const std::string& text) { temp.WriteFile("answers.ini", text); }

  // Starts setup with the profile, the answers file (when written; else --unattended unless
  // `extra` asks for --gui), the transcript and `extra` arguments; `clear_display` removes
  // DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM from its environment and adds no
  // --unattended. Standard output goes to stdout.txt, standard error to stderr.txt;
  // XDG_RUNTIME_DIR (where the lock file goes)
  // is the temporary directory. Returns the child's pid.
  pid_t StartSetup(const std::vector<std::string>& extra = {}, bool clear_display = false,
                   const std::string& transcript = "transcript.jsonl");
  // Waits for the child and returns its exit status (-1 when it did not exit normally).
  static int Wait(pid_t pid);
  int RunSetup(const std::vector<std::string>& extra = {}, bool clear_display = false) {
    return Wait(StartSetup(extra, clear_display));
  }

  // The transcript's lines.
  std::vector<std::string> Transcript(const std::string& name = "transcript.jsonl") const;
  // Each transcript line as "kind=answer".
  std::vector<std::string> Shown() const;
  std::string Stderr() const { return temp.ReadFile("stderr.txt"); }
  std::string Stdout() const { return temp.ReadFile("stdout.txt"); }
  // A value of an uninstall entry in the registry file.
  std::optional<std::string> Uninstall(const std::string& product, const std::string& name) const;
  std::string Link(const std::string& path) const;
  // Every entry below `dir` (relative to the sandbox, "" for all of it) but the names in
  // `except`, with its kind, permissions and a link's target or a file's bytes; with `times`,
  // also its size and modification time.
  std::vector<std::string> Listing(const std::string& dir, const std::vector<std::string>& except,
                                   bool times) const;

  TempDir temp;
  // The TMPDIR of the next copies started; empty: the temporary directory.
  std::string tmpdir;
  // When set, the next copies read standard input from a terminal on which this was typed;
  // else from /dev/null.
  std::optional<std::string> terminal_input;

 private:
  std::vector<int> terminals_;
};

}  // namespace setup::testing
