#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/front_end.h"
#include "setup_runner.h"

namespace setup {
namespace {

using testing::DiscSection;
using testing::SetupRunner;
using Lines = std::vector<std::string>;

class InstallE2eTest : public ::testing::Test, public SetupRunner {
 protected:
  // Two sections: a reader with a desktop shortcut, an uninstall entry and a script, and
  // examples.
  void WriteBook() {
    temp.WriteFile("disc/READER/READ_ME.TXT", "read me");
    temp.WriteFile("disc/READER/CHAPTERS/ONE.TXT", "one");
    temp.WriteFile("disc/EXAMPLES/A.TXT", "example a");
    temp.WriteFile("disc/EXAMPLES/B.TXT", "example b");
    temp.WriteFile("disc/SCRIPTS/READER.TXT", "MD %INSTALLPATH%\\Notes\r\n");
    temp.WriteFile("disc/ZORUNIN.EXE", "uninstaller program");
    DiscSection reader{"READER", "C:\\Books\\Quillby Reader", "Quillby Reader"};
    reader.shortcut_location = "DESKTOP";
    reader.shortcut_name = "Quillby";
    reader.command_file = "SCRIPTS\\READER.TXT";
    reader.uninstall = "TRUE";
    WriteDisc({reader, {"EXAMPLES", "C:\\Books\\Examples", "Quillby Examples"}});
  }
};

TEST_F(InstallE2eTest, ATypicalRun) {
  WriteBook();
  // An uninstaller of an earlier install, read-only, is replaced.
  temp.WriteFile("c/WINDOWS/ZORUNIN.EXE", "old uninstaller");
  chmod(temp.Join("c/WINDOWS/ZORUNIN.EXE").c_str(), 0444);
  EXPECT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Books/Quillby Reader/READ_ME.TXT"), "read me");
  EXPECT_EQ(temp.ReadFile("c/Books/Examples/B.TXT"), "example b");
  EXPECT_TRUE(temp.Exists("c/Books/Quillby Reader/Notes"));
  EXPECT_EQ(Link("c/Desktop/Quillby.Lnk"), temp.Join("c/Books/Quillby Reader"));
  EXPECT_EQ(temp.ReadFile("c/WINDOWS/ZORUNIN.EXE"), "uninstaller program");
  EXPECT_EQ(Shown(),
            (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue", "CInstallingDlg=OK",
                   "CInstallingDlg=OK", "CUpdatingDlg", "CFinishedDlg=OK"}));
  // Every dialog is on standard error as well.
  EXPECT_NE(Stderr().find("CFinishedDlg: Setup Finished"), std::string::npos) << Stderr();
  EXPECT_EQ(Uninstall("Quillby Reader", "UninstallString"),
            "C:\\WINDOWS\\ZORUNIN.EXE `C:\\Books\\Quillby Reader` Quillby Reader");
  EXPECT_EQ(Uninstall("Quillby Reader", "UninstallProblemText"),
            "Some files of Quillby's Guide to Reading Slowly could not be removed.");
  EXPECT_EQ(Uninstall("Quillby Reader", "ShortcutLocation"), "C:\\Desktop\\Quillby.Lnk");
  // Uninstall FALSE: no entry.
  EXPECT_EQ(Uninstall("Quillby Examples", "DisplayName"), std::nullopt);
}

TEST_F(InstallE2eTest, YesToAllDoesNotCarryOverToTheNextSection) {
  temp.WriteFile("disc/ONE/A.TXT", "new a");
  temp.WriteFile("disc/ONE/B.TXT", "new b");
  temp.WriteFile("disc/TWO/C.TXT", "new c");
  temp.WriteFile("c/One/A.TXT", "old a");
  temp.WriteFile("c/One/B.TXT", "old b");
  temp.WriteFile("c/Two/C.TXT", "old c");
  WriteDisc({{"ONE", "C:\\One", "One"}, {"TWO", "C:\\Two", "Two"}});
  Answers("[ConfirmReplace]\nA.TXT=YesToAll\nDefault=No\n");
  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/One/B.TXT"), "new b");
  EXPECT_EQ(temp.ReadFile("c/Two/C.TXT"), "old c");
  EXPECT_EQ(Shown(), (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue",
                            "CInstallingDlg=OK", "CConfirmReplaceDlg=YesToAll", "CInstallingDlg=OK",
                            "CConfirmReplaceDlg=No", "CUpdatingDlg", "CFinishedDlg=OK"}));
}

TEST_F(InstallE2eTest, ExitDuringTheFirstOfTwoSections) {
  temp.WriteFile("disc/ONE/A.TXT", "new a");
  temp.WriteFile("disc/ONE/B.TXT", "new b");
  temp.WriteFile("disc/TWO/C.TXT", "c");
  temp.WriteFile("disc/S.TXT", "MD C:\\ScriptRan\r\n");
  temp.WriteFile("disc/ZORUNIN.EXE", "u");
  temp.WriteFile("c/One/A.TXT", "old a");
  DiscSection one{"ONE", "C:\\One", "One"};
  one.uninstall = "TRUE";
  one.command_file = "S.TXT";
  WriteDisc({one, {"TWO", "C:\\Two", "Two"}});
  Answers("[ConfirmReplace]\nDefault=Cancel\n[ExitConfirm]\nDefault=Exit\n");
  EXPECT_EQ(RunSetup(), EXIT_FAILED) << Stderr();
  EXPECT_FALSE(temp.Exists("c/One/B.TXT"));
  EXPECT_FALSE(temp.Exists("c/Two"));
  EXPECT_FALSE(temp.Exists("c/ScriptRan"));
  // The first section is registered all the same; NULL writes no shortcut value.
  EXPECT_EQ(Uninstall("One", "DisplayName"), "One");
  EXPECT_EQ(Uninstall("One", "ShortcutLocation"), std::nullopt);
  EXPECT_EQ(Shown(),
            (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue", "CInstallingDlg=OK",
                   "CConfirmReplaceDlg=Cancel", "CExitDlg=Exit", "CSetupFailedDlg=OK"}));
}

TEST_F(InstallE2eTest, AMissingSourceDirectory) {
  temp.WriteFile("disc/TWO/C.TXT", "c");
  WriteDisc({{"ONE", "C:\\One", "One"}, {"TWO", "C:\\Two", "Two"}});
  EXPECT_EQ(RunSetup(), EXIT_FAILED) << Stderr();
  EXPECT_FALSE(temp.Exists("c/Two"));
  const Lines lines = Transcript();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_NE(lines[4].find("The book's files are supposed to be in a directory named "
                          "'D:\\\\ONE'. Setup can't find this directory so it's exiting."),
            std::string::npos)
      << lines[4];
  EXPECT_EQ(Shown().back(), "CSetupFailedDlg=OK");
}

// A plain copy that fails: the run finishes, says so once per section, names the file with
// the host's reason, and ends with its own status; what was copied keeps its uninstall entry.
TEST_F(InstallE2eTest, FilesNotCopiedAreNamedAndEndTheRunWithStatus4) {
  temp.WriteFile("disc/CODE/A.TXT", "a");
  temp.WriteFile("disc/ZORUNIN.EXE", "uninstaller program");
  ASSERT_EQ(mkfifo(temp.Join("disc/CODE/PIPE").c_str(), 0644), 0);
  DiscSection section{"CODE", "C:\\Book", "Book"};
  section.uninstall = "TRUE";
  WriteDisc({section});
  // Even --quiet names the files that were not copied, and only them.
  EXPECT_EQ(RunSetup({"--quiet"}), EXIT_FILES_NOT_COPIED) << Stderr();
  EXPECT_EQ(Stderr().find("CWelcomeDlg"), std::string::npos) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Book/A.TXT"), "a");
  EXPECT_NE(Stderr().find("setup: not copied: C:\\Book\\PIPE: "), std::string::npos) << Stderr();
  const Lines lines = Transcript();
  EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                         [](const std::string& line) {
                           return line.rfind(
                                      R"({"kind":"CopyFailure","file":"C:\\Book\\PIPE","reason":)",
                                      0) == 0;
                         }),
            lines.end())
      << temp.ReadFile("transcript.jsonl");
  // The failure's line is written from the copying thread, so its place among the dialogs'
  // varies.
  Lines shown = Shown();
  shown.erase(std::remove(shown.begin(), shown.end(), "CopyFailure"), shown.end());
  EXPECT_EQ(shown,
            (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue", "CInstallingDlg=OK",
                   "MessageBox=OK", "CUpdatingDlg", "CFinishedDlg=OK"}));
  EXPECT_EQ(Uninstall("Book", "DisplayName"), "Book");
}

// Whether the file `fd_dir` (/proc/PID/fd) holds one open under `dir` (a new file being
// written there, named or not).
bool WritesInto(const std::string& fd_dir, const std::string& dir) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(fd_dir, error)) {
    const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (!error && target.rfind(dir + "/", 0) == 0) return true;
  }
  return false;
}

// Killed in the middle of a copy, setup leaves no short file under the final name: the file
// is either absent or complete.
TEST_F(InstallE2eTest, AKillDuringACopyLeavesNoShortFile) {
  constexpr size_t SIZE = 64 << 20;
  {
    std::string block(1 << 20, 'x');
    temp.MakeDir("disc/CODE");
    const int fd = open(temp.Join("disc/CODE/BIG.DAT").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    for (size_t written = 0; written < SIZE; written += block.size()) {
      ASSERT_EQ(write(fd, block.data(), block.size()), static_cast<ssize_t>(block.size()));
    }
    close(fd);
  }
  temp.MakeDir("c/Book");
  WriteDisc({{"CODE", "C:\\Book", "Book"}});
  const pid_t pid = StartSetup();
  const std::string fd_dir = "/proc/" + std::to_string(pid) + "/fd";
  const std::string book = std::filesystem::canonical(temp.Join("c/Book")).string();
  // Bounded: the copy is caught while it writes, or it has ended and the check below holds
  // all the same.
  for (int i = 0; i < 1000000 && !WritesInto(fd_dir, book); ++i) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) break;
  }
  kill(pid, SIGKILL);
  SetupRunner::Wait(pid);
  struct stat info {};
  if (stat(temp.Join("c/Book/BIG.DAT").c_str(), &info) == 0) {
    EXPECT_EQ(static_cast<size_t>(info.st_size), SIZE);
  }
  for (const auto& entry : std::filesystem::directory_iterator(temp.Join("c/Book"))) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "BIG.DAT" || name.rfind(".setup-", 0) == 0) << name;
  }
}

// The messages are start-up's own (see CheckModeTest); here that the install ends on them.
TEST_F(InstallE2eTest, SetupTxtMissingEndsTheRunAtStartUp) {
  temp.WriteFile("disc/SETUP.INI", "[Setup]\r\nMainProdName=Book\r\n");
  EXPECT_EQ(RunSetup(), EXIT_STARTUP) << Stderr();
  EXPECT_EQ(Shown(), (Lines{"MessageBox=OK", "MessageBox=OK"}));
}

TEST_F(InstallE2eTest, NoRightsOnTheNtLine) {
  WriteBook();
  temp.WriteFile("profile.ini", temp.ReadFile("profile.ini") + "ServiceManager = no\n");
  EXPECT_EQ(RunSetup(), EXIT_STARTUP) << Stderr();
  EXPECT_EQ(Shown(), Lines{"MessageBox=OK"});
  EXPECT_NE(Transcript()[0].find("Setup needs the right to change system settings"),
            std::string::npos);
  EXPECT_FALSE(temp.Exists("c/Books"));
}

TEST_F(InstallE2eTest, WithoutADisplayOrATerminalTheRunAsksForUnattended) {
  WriteBook();
  EXPECT_EQ(RunSetup({}, true), EXIT_USAGE) << Stderr();
  EXPECT_EQ(Stderr(),
            "setup: no display and no terminal to ask questions on: run it with --unattended "
            "(answering from --answers FILE)\n");
  EXPECT_FALSE(temp.Exists("c/Books"));
}

TEST_F(InstallE2eTest, AtATerminalWithoutADisplayEachDialogIsAskedThere) {
  WriteBook();
  // Enter at the welcome, Examples cleared, Continue, Enter at the end.
  terminal_input = "\nt 2\n1\n\n";
  EXPECT_EQ(RunSetup({}, true), EXIT_FINISHED) << Stderr() << Stdout();
  EXPECT_TRUE(temp.Exists("c/Books/Quillby Reader/READ_ME.TXT"));
  EXPECT_FALSE(temp.Exists("c/Books/Examples"));
  const std::string out = Stdout();
  EXPECT_NE(out.find("[x] 2. Quillby Examples"), std::string::npos) << out;
  EXPECT_NE(out.find("[ ] 2. Quillby Examples"), std::string::npos) << out;
  EXPECT_NE(out.find("== Setup Finished"), std::string::npos) << out;
  // The questions show the dialogs: no echo on standard error.
  EXPECT_EQ(Stderr().find("CWelcomeDlg"), std::string::npos) << Stderr();
}

TEST_F(InstallE2eTest, UsageErrorsStopTheRunBeforeAnythingIsWritten) {
  WriteBook();
  EXPECT_EQ(RunSetup({"--answers", temp.Join("none.ini")}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("cannot read the answers file"), std::string::npos) << Stderr();
  EXPECT_EQ(RunSetup({"--transcript", temp.Join("no/such/dir/t.jsonl")}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("cannot write the transcript"), std::string::npos) << Stderr();
  // Every mistake in the answers is the answers check's (see AnswersCheckTest); here one that
  // needs the host's drives.
  Answers("[Options]\nFolder1 = D:\\Books\n");
  temp.WriteFile("stderr.txt", "");
  EXPECT_EQ(RunSetup(), EXIT_USAGE);
  EXPECT_EQ(Stderr(),
            temp.Join("answers.ini") + ":2: Folder1 = D:\\Books: drive D: is read-only\n");
  EXPECT_TRUE(Transcript().empty());
  EXPECT_FALSE(temp.Exists("c/Books"));
  EXPECT_TRUE(std::filesystem::is_empty(temp.Join("c/WINDOWS")));
}

// Copies started together: exactly one proceeds, and it is held in its section script
// (RUN of a program that reads a pipe) until the others have ended.
TEST_F(InstallE2eTest, OnlyOneOfSeveralCopiesProceeds) {
  temp.WriteFile("disc/CODE/A.TXT", "a");
  temp.WriteFile("disc/HOLD.TXT", "RUN C:\\tools\\cat gate.fifo\r\n");
  std::filesystem::create_directories(temp.Join("c/tools"));
  // A copy, not a link: a link off the drives is not followed.
  std::filesystem::copy_file("/bin/cat", temp.Join("c/tools/cat"));
  DiscSection section{"CODE", "C:\\Book", "Book"};
  section.command_file = "HOLD.TXT";
  WriteDisc({section});
  constexpr int ROUNDS = 20;
  constexpr int COPIES = 3;
  for (int round = 0; round < ROUNDS; ++round) {
    ASSERT_EQ(mkfifo(temp.Join("disc/gate.fifo").c_str(), 0600), 0);
    std::vector<pid_t> pids;
    for (int i = 0; i < COPIES; ++i) {
      // Each copy with its own TMPDIR: the lock is the user's, not the temporary directory's.
      tmpdir = temp.MakeDir("tmp" + std::to_string(i));
      pids.push_back(StartSetup({}, false, "t" + std::to_string(i) + ".jsonl"));
    }
    int refused = 0;
    for (int i = 0; i < COPIES - 1; ++i) {
      int status = 0;
      pid_t pid = waitpid(-1, &status, 0);
      ASSERT_GT(pid, 0);
      refused += WIFEXITED(status) && WEXITSTATUS(status) == EXIT_ALREADY_RUNNING;
      pids.erase(std::find(pids.begin(), pids.end(), pid));
    }
    // Let the one that proceeds finish.
    int fd = open(temp.Join("disc/gate.fifo").c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(Wait(pids[0]), EXIT_FINISHED);
    EXPECT_EQ(refused, COPIES - 1);
    std::filesystem::remove(temp.Join("disc/gate.fifo"));
  }
  const std::string err = Stderr();
  auto count = [&err](const std::string& text) {
    int found = 0;
    for (size_t at = err.find(text); at != std::string::npos; at = err.find(text, at + 1)) ++found;
    return found;
  };
  // The copies that were refused showed nothing, and each said why in one line.
  EXPECT_EQ(count("CWelcomeDlg"), ROUNDS);
  EXPECT_EQ(count("setup: another copy of setup is already running\n"), ROUNDS * (COPIES - 1));
}

}  // namespace
}  // namespace setup
