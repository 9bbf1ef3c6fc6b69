#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

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
  EXPECT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Books/Quillby Reader/READ_ME.TXT"), "read me");
  EXPECT_EQ(temp.ReadFile("c/Books/Quillby Reader/CHAPTERS/ONE.TXT"), "one");
  EXPECT_EQ(temp.ReadFile("c/Books/Examples/B.TXT"), "example b");
  EXPECT_TRUE(temp.Exists("c/Books/Quillby Reader/Notes"));
  EXPECT_EQ(Link("c/Desktop/Quillby.Lnk"), temp.Join("c/Books/Quillby Reader"));
  EXPECT_EQ(temp.ReadFile("c/WINDOWS/ZORUNIN.EXE"), "uninstaller program");
  EXPECT_EQ(Shown(),
            (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue", "CInstallingDlg=OK",
                   "CInstallingDlg=OK", "CUpdatingDlg", "CFinishedDlg=OK"}));
  // Every dialog is on standard error as well.
  EXPECT_NE(Stderr().find("CFinishedDlg: Setup Finished"), std::string::npos) << Stderr();
}

TEST_F(InstallE2eTest, TheUninstallEntry) {
  WriteBook();
  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Uninstall("Quillby Reader", "DisplayName"), "Quillby Reader");
  EXPECT_EQ(Uninstall("Quillby Reader", "UninstallString"),
            "C:\\WINDOWS\\ZORUNIN.EXE `C:\\Books\\Quillby Reader` Quillby Reader");
  EXPECT_EQ(Uninstall("Quillby Reader", "UninstallText"),
            "Remove the files of Quillby's Guide to Reading Slowly from this computer?");
  EXPECT_EQ(Uninstall("Quillby Reader", "UninstallProblemText"),
            "Some files of Quillby's Guide to Reading Slowly could not be removed.");
  EXPECT_EQ(Uninstall("Quillby Reader", "ShortcutLocation"), "C:\\Desktop\\Quillby.Lnk");
  // Uninstall FALSE: no entry.
  EXPECT_EQ(Uninstall("Quillby Examples", "DisplayName"), std::nullopt);
}

TEST_F(InstallE2eTest, AReadOnlyUninstallerIsReplacedAndNullWritesNoShortcutValue) {
  temp.WriteFile("disc/CODE/A.TXT", "a");
  temp.WriteFile("disc/ZORUNIN.EXE", "new uninstaller");
  temp.WriteFile("c/WINDOWS/ZORUNIN.EXE", "old uninstaller");
  chmod(temp.Join("c/WINDOWS/ZORUNIN.EXE").c_str(), 0444);
  DiscSection section{"CODE", "C:\\My Book", "My Book"};
  section.uninstall = "true";
  WriteDisc({section});
  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/WINDOWS/ZORUNIN.EXE"), "new uninstaller");
  EXPECT_EQ(Uninstall("My Book", "UninstallString"),
            "C:\\WINDOWS\\ZORUNIN.EXE `C:\\My Book` My Book");
  EXPECT_EQ(Uninstall("My Book", "ShortcutLocation"), std::nullopt);
}

TEST_F(InstallE2eTest, ShortcutsInEachFolder) {
  temp.WriteFile("disc/CODE/A.TXT", "a");
  const struct {
    const char* location;
    const char* folder;
  } cases[] = {{"DESKTOP", "Desktop"}, {"My Documents", "Documents"}, {"favorites", "Favorites"}};
  std::vector<DiscSection> sections;
  for (const auto& c : cases) {
    DiscSection s{"CODE", std::string("C:\\Dest ") + c.folder, std::string("Book ") + c.folder,
                  c.location, std::string("To ") + c.folder};
    s.uninstall = "TRUE";
    sections.push_back(s);
  }
  temp.WriteFile("disc/ZORUNIN.EXE", "u");
  WriteDisc(sections);
  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  for (const auto& c : cases) {
    const std::string folder = c.folder;
    EXPECT_EQ(Link("c/" + folder + "/To " + folder + ".Lnk"), temp.Join("c/Dest " + folder));
    EXPECT_EQ(Uninstall("Book " + folder, "ShortcutLocation"),
              "C:\\" + folder + "\\To " + folder + ".Lnk");
  }
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
  // The first section is registered all the same.
  EXPECT_EQ(Uninstall("One", "DisplayName"), "One");
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

TEST_F(InstallE2eTest, AnExpansionFailureIsReportedAndTheRunGoesOn) {
  const std::string header(
      "SZDD\x88\xF0\x27\x33"
      "A\0\x64\0\0\0",
      14);
  temp.WriteFile("disc/ONE/CUT.TXT", header + "\xFFshort");
  temp.WriteFile("disc/ONE/READ_ME.TXT", "plain text is copied unchanged");
  temp.WriteFile("disc/TWO/C.TXT", "c");
  WriteDisc({{"ONE", "C:\\One", "One"}, {"TWO", "C:\\Two", "Two"}}, true);
  // Even --quiet names the files that were not copied.
  EXPECT_EQ(RunSetup({"--quiet"}), EXIT_FILES_NOT_COPIED) << Stderr();
  EXPECT_FALSE(temp.Exists("c/One/CUT.TXT"));
  EXPECT_NE(Stderr().find("setup: not copied: C:\\One\\CUT.TXT: "), std::string::npos) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/One/READ_ME.TXT"), "plain text is copied unchanged");
  EXPECT_EQ(temp.ReadFile("c/Two/C.TXT"), "c");
  EXPECT_NE(temp.ReadFile("transcript.jsonl")
                .find("Some files could not be expanded while they were copied."),
            std::string::npos);
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
  EXPECT_EQ(RunSetup(), EXIT_FILES_NOT_COPIED) << Stderr();
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

// A destination folder that is a file: nothing is offered for replacement, every file is
// named.
TEST_F(InstallE2eTest, ADestinationUnderAFileOffersNothingToReplace) {
  temp.WriteFile("disc/CODE/A.TXT", "a");
  temp.WriteFile("disc/CODE/SUB/B.TXT", "b");
  temp.WriteFile("c/Book", "a file");
  WriteDisc({{"CODE", "C:\\Book", "Book"}});
  EXPECT_EQ(RunSetup(), EXIT_FILES_NOT_COPIED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Book"), "a file");
  for (const char* file : {"C:\\Book\\A.TXT", "C:\\Book\\SUB\\B.TXT"}) {
    EXPECT_NE(Stderr().find(std::string("setup: not copied: ") + file + ": "), std::string::npos)
        << Stderr();
  }
  const Lines shown = Shown();
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "CConfirmReplaceDlg=Yes"), 0);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), "MessageBox=OK"), 1);  // once per section
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

TEST_F(InstallE2eTest, UnderscoresAndACodeDirWithALeadingBackslash) {
  temp.WriteFile("disc/BOOKS/CODE/READ_ME.TXT", "r");
  temp.WriteFile("disc/BOOKS/CODE/SAMPLE_CODE/MY_FILE.TXT", "m");
  WriteDisc({{"\\BOOKS\\CODE", "C:\\Book", "Book"}}, false, true);
  EXPECT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Book/Read Me.txt"), "r");
  EXPECT_EQ(temp.ReadFile("c/Book/Sample Code/My File.txt"), "m");
}

TEST_F(InstallE2eTest, SetupTxtMissingAfterTheWarnings) {
  temp.WriteFile("disc/SETUP.INI", "[Setup]\r\nMainProdName=Book\r\n");
  EXPECT_EQ(RunSetup(), EXIT_STARTUP) << Stderr();
  const Lines lines = Transcript();
  ASSERT_EQ(lines.size(), 2u);
  // A configuration warning is a warning box with one OK button.
  EXPECT_NE(lines[0].find(R"("caption":"Error!","text":"Warning: The FilesCompressed key (or its )"
                          R"(text) is not set in SETUP.INI","icon":"warning","buttons":["OK"])"),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find(R"("caption":"Setup","text":"Can't find Setup.txt. Setup needs this )"
                          R"(file to continue so it's exiting.")"),
            std::string::npos)
      << lines[1];
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
  EXPECT_EQ(RunSetup({"--unattended"}, true), EXIT_FINISHED) << Stderr();
  EXPECT_TRUE(temp.Exists("c/Books/Examples/A.TXT"));
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
  EXPECT_EQ(Shown(), (Lines{"CBackdropDlg", "CWelcomeDlg=OK", "COptionsDlg=Continue",
                            "CInstallingDlg=OK", "CUpdatingDlg", "CFinishedDlg=OK"}));
}

TEST_F(InstallE2eTest, QuietDropsTheEchoOfDialogs) {
  WriteBook();
  EXPECT_EQ(RunSetup({"--quiet"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Stderr(), "");
  EXPECT_EQ(Shown().back(), "CFinishedDlg=OK");
}

// A disc of three sections, each with one file.
class AnswersE2eTest : public InstallE2eTest {
 protected:
  void WriteThree() {
    temp.WriteFile("disc/ONE/A.TXT", "a");
    temp.WriteFile("disc/TWO/B.TXT", "b");
    temp.WriteFile("disc/THREE/C.TXT", "c");
    WriteDisc({{"ONE", "C:\\Books\\One", "One"},
               {"TWO", "C:\\Books\\Two", "Two"},
               {"THREE", "C:\\Books\\Three", "Three"}});
  }
};

TEST_F(AnswersE2eTest, AMistakeStopsTheRunBeforeAnythingIsWritten) {
  struct Case {
    std::string answers;
    std::string message;  // after "FILE:"
  };
  // Every mistake is the answers check's; here one of each source it checks against: the
  // file alone, SETUP.INI, the host's drives.
  const std::vector<Case> cases = {
      {"[Options]\nButton = Contineu\n", "2: Button = Contineu: expected Continue or Exit"},
      {"[Options]\n\nFolder7 = C:\\Books\n",
       "3: Folder7: section 7 is out of range (SETUP.INI has 3 sections)"},
      {"[Options]\nFolder1 = D:\\Books\n", "2: Folder1 = D:\\Books: drive D: is read-only"},
  };
  WriteThree();
  for (const Case& c : cases) {
    Answers(c.answers);
    temp.WriteFile("stderr.txt", "");
    EXPECT_EQ(RunSetup(), EXIT_USAGE) << c.answers;
    EXPECT_EQ(Stderr(), temp.Join("answers.ini") + ":" + c.message + "\n") << c.answers;
    EXPECT_TRUE(Transcript().empty()) << c.answers;
    EXPECT_FALSE(temp.Exists("c/Books")) << c.answers;
    EXPECT_TRUE(std::filesystem::is_empty(temp.Join("c/WINDOWS"))) << c.answers;
  }
}

TEST_F(AnswersE2eTest, AFolderIsTakenExactly) {
  WriteThree();
  Answers("[Options]\nSelect = 3\nFolder3 = C:\\Books\\Extra #1\n");
  EXPECT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(temp.ReadFile("c/Books/Extra #1/C.TXT"), "c");
  EXPECT_FALSE(temp.Exists("c/Books/One"));
  EXPECT_FALSE(temp.Exists("c/BooksExtra"));
  // Answered through Change Folder and the browse dialog, as a person would.
  const Lines shown = Shown();
  EXPECT_NE(std::find(shown.begin(), shown.end(), "CBrowseDlg=OK"), shown.end());
}

TEST_F(InstallE2eTest, UnreadableAnswersOrUnwritableTranscriptAreUsageErrors) {
  WriteBook();
  EXPECT_EQ(RunSetup({"--answers", temp.Join("none.ini")}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("cannot read the answers file"), std::string::npos) << Stderr();
  EXPECT_EQ(RunSetup({"--transcript", temp.Join("no/such/dir/t.jsonl")}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("cannot write the transcript"), std::string::npos) << Stderr();
  EXPECT_FALSE(temp.Exists("c/Books"));
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
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == EXIT_ALREADY_RUNNING);
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
  // The copies that were refused showed nothing.
  const std::string err = Stderr();
  int welcomes = 0;
  for (size_t at = err.find("CWelcomeDlg"); at != std::string::npos;
       at = err.find("CWelcomeDlg", at + 1)) {
    ++welcomes;
  }
  EXPECT_EQ(welcomes, ROUNDS);
  // Each refused copy said why, in one line.
  int refusals = 0;
  const std::string refusal = "setup: another copy of setup is already running\n";
  for (size_t at = err.find(refusal); at != std::string::npos; at = err.find(refusal, at + 1)) {
    ++refusals;
  }
  EXPECT_EQ(refusals, ROUNDS * (COPIES - 1));
}

}  // namespace
}  // namespace setup
