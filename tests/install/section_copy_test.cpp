#include <gtest/gtest.h>

#include "install/file_query.h"
#include "install_fixture.h"
#include "support/transcript_control.h"
#include "ui/dialogs/dialog_ids.h"

namespace setup {
namespace {

using testing::InstallFixture;
using testing::SzddOf;

class SectionCopyTest : public ::testing::Test, public InstallFixture {};

TEST_F(SectionCopyTest, CopiesTheTreeDepthFirst) {
  Disc("CODE/A.TXT", "a");
  Disc("CODE/SUB/B.TXT", "b");
  Disc("CODE/SUB/DEEP/C.TXT", "c");
  Disc("CODE/.HIDDEN/D.TXT", "d");
  Disc("CODE/.PROFILE", "e");
  temp.MakeDir("disc/CODE/EMPTY");
  temp.SetWritable("disc/CODE/A.TXT", false);
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book/A.TXT"), "a");
  EXPECT_EQ(Dest("Book/SUB/B.TXT"), "b");
  EXPECT_EQ(Dest("Book/SUB/DEEP/C.TXT"), "c");
  EXPECT_TRUE(DestExists("Book/EMPTY"));
  // A directory whose name begins with a full stop is left out; such a file is not.
  EXPECT_FALSE(DestExists("Book/.HIDDEN"));
  EXPECT_EQ(Dest("Book/.PROFILE"), "e");
  // A read-only file on the medium becomes a plain file.
  EXPECT_TRUE(temp.Writable("c/Book/A.TXT"));
  EXPECT_EQ(fs->CurrentDirectory(), "D:\\CODE");
  EXPECT_TRUE(Shown().empty());
}

TEST_F(SectionCopyTest, ExpandsCompressedFilesAndCopiesOthersUnchanged) {
  config.m_bFilesCompressed = true;
  Disc("CODE/BOOK.TXT", SzddOf("Chapter one of the book, slowly."));
  Disc("CODE/PLAIN.TXT", "not compressed");
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book/BOOK.TXT"), "Chapter one of the book, slowly.");
  EXPECT_EQ(Dest("Book/PLAIN.TXT"), "not compressed");
  EXPECT_FALSE(state.g_bCopyFailed);
}

// The replace confirmation: each row answers the first question and lists what the walk
// must then have done.
TEST_F(SectionCopyTest, ReplaceAnswers) {
  const struct {
    const char* answers;
    const char* a;  // A.TXT afterwards
    const char* b;  // SUB\B.TXT afterwards
    std::vector<std::string> shown;
    bool exit;
  } cases[] = {
      {"[ConfirmReplace]\nDefault=Yes\n",
       "new a",
       "new b",
       {"CConfirmReplaceDlg=Yes", "CConfirmReplaceDlg=Yes"},
       false},
      // Yes To All holds for the subdirectories too.
      {"[ConfirmReplace]\nDefault=YesToAll\n",
       "new a",
       "new b",
       {"CConfirmReplaceDlg=YesToAll"},
       false},
      {"[ConfirmReplace]\nA.TXT=No\nDefault=YesToAll\n",
       "old a",
       "new b",
       {"CConfirmReplaceDlg=No", "CConfirmReplaceDlg=YesToAll"},
       false},
      // Cancel, then Continue: the same question again (answered Cancel once more, the exit is
      // confirmed, so an unattended run cannot loop).
      {"[ConfirmReplace]\nDefault=Cancel\n[ExitConfirm]\nDefault=Continue\n",
       "old a",
       "old b",
       {"CConfirmReplaceDlg=Cancel", "CExitDlg=Continue", "CConfirmReplaceDlg=Cancel",
        "CExitDlg=Exit"},
       true},
  };
  for (const auto& c : cases) {
    InstallFixture f;
    f.SetAnswers(c.answers);
    f.Disc("CODE/A.TXT", "new a");
    f.Disc("CODE/SUB/B.TXT", "new b");
    f.Disc("CODE/SUB/C.TXT", "new c");
    f.DestFile("Book/A.TXT", "old a");
    f.DestFile("Book/SUB/B.TXT", "old b");
    f.CopyTree("CODE", "C:\\Book");
    EXPECT_EQ(f.Dest("Book/A.TXT"), c.a) << c.answers;
    EXPECT_EQ(f.Dest("Book/SUB/B.TXT"), c.b) << c.answers;
    EXPECT_EQ(f.DestExists("Book/SUB/C.TXT"), !c.exit) << c.answers;
    EXPECT_EQ(f.Shown(), c.shown) << c.answers;
    EXPECT_EQ(f.state.m_bExitRequested, c.exit) << c.answers;
  }
}

TEST_F(SectionCopyTest, NamesThatMeetInANewDirectoryAreAsked) {
  config.m_bUseUnderscores = true;
  SetAnswers("[ConfirmReplace]\nDefault=No\n");
  // Both become "My file.txt" or "My File.txt", one name to a case-blind file system; the
  // blank sorts first, so that file is written and the other one asked about.
  Disc("CODE/NEW/MY_FILE.TXT", "underscore");
  Disc("CODE/NEW/my file.txt", "blank");
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book/New/My file.txt"), "blank");
  EXPECT_EQ(Shown(), std::vector<std::string>{"CConfirmReplaceDlg=No"});
}

// The destination's own names, whatever their case, and the names the walk writes there
// are asked about, whether the destination was empty at the start or not.
TEST_F(SectionCopyTest, NamesThatMeetInTheDestinationAreAsked) {
  const struct {
    const char* name;
    std::vector<std::string> destination;  // files there before the copy
    std::vector<std::string> disc;         // files in CODE, each holding "new"
    std::vector<std::string> shown;
  } cases[] = {
      {"empty, one name twice", {}, {"A.TXT", "a.txt"}, {"CConfirmReplaceDlg=No"}},
      {"the name in another case", {"a.txt"}, {"A.TXT"}, {"CConfirmReplaceDlg=No"}},
      {"another name", {"z.txt"}, {"A.TXT"}, {}},
      {"only a dot file", {".keep"}, {"A.TXT", "a.txt"}, {"CConfirmReplaceDlg=No"}},
      // Both are stored as "NOTES".
      {"empty, one stored name twice", {}, {"NOTES", "NOTES."}, {"CConfirmReplaceDlg=No"}},
      {"the stored name", {"notes"}, {"NOTES."}, {"CConfirmReplaceDlg=No"}},
  };
  std::vector<std::string> one_name;
  for (const auto& c : cases) {
    InstallFixture f;
    f.SetAnswers("[ConfirmReplace]\nDefault=No\n");
    f.temp.MakeDir("c/Book");
    for (const std::string& name : c.destination) f.DestFile("Book/" + name, "old");
    for (const std::string& name : c.disc) f.Disc("CODE/" + name, "new");
    if (!f.temp.Exists("disc/CODE/" + c.disc.back())) {
      one_name.push_back(c.name);
      continue;
    }
    f.CopyTree("CODE", "C:\\Book");
    EXPECT_EQ(f.Shown(), c.shown) << c.name;
    for (const std::string& name : c.destination) {
      EXPECT_EQ(f.Dest("Book/" + name), "old") << c.name;
    }
  }
  if (!one_name.empty()) {
    GTEST_SKIP() << "the host's names ignore case and a trailing dot, so the disc cannot hold "
                    "both names for: "
                 << ::testing::PrintToString(one_name);
  }
}

TEST_F(SectionCopyTest, NamesEndingInABlankAreStoredWithoutIt) {
  config.m_bUseUnderscores = true;
  // "DOCS_", "README_" and "NOTES._" become "Docs ", "Readme " and "Notes. ", which the file
  // system stores as "Docs", "Readme" and "Notes".
  Disc("CODE/DOCS_/README_", "read me");
  Disc("CODE/NOTES._", "notes");
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book/Docs/Readme"), "read me");
  EXPECT_EQ(Dest("Book/Notes"), "notes");
  EXPECT_FALSE(DestExists("Book/Docs "));
  EXPECT_FALSE(DestExists("Book/Notes. "));
  EXPECT_FALSE(state.g_bCopyFailed);
}

TEST_F(SectionCopyTest, TheQuestionShowsBothFiles) {
  Disc("CODE/A.TXT", std::string(1536, 'n'));
  DestFile("Book/A.TXT", "old");
  CopyTree("CODE", "C:\\Book");
  const std::string line = transcript.str();
  EXPECT_NE(line.find(testing::TranscriptControl(ConfirmReplaceIds::OLD_SIZE, "3 Bytes")),
            std::string::npos)
      << line;
  EXPECT_NE(line.find(testing::TranscriptControl(ConfirmReplaceIds::NEW_SIZE, "1.50 KBytes")),
            std::string::npos)
      << line;
  EXPECT_EQ(QueryFileSize(*fs, "C:\\Book\\A.TXT"), 1536);
  EXPECT_EQ(QueryFileSize(*fs, "C:\\Book\\NONE.TXT"), 0);
  EXPECT_EQ(QueryFileWriteTime(*fs, "C:\\Book\\NONE.TXT"), 0u);
}

TEST_F(SectionCopyTest, ExitFromTheOtherThreadStopsBeforeTheNextEntry) {
  Disc("CODE/A.TXT", "a");
  state.m_bExitRequested = true;
  CopyTree("CODE", "C:\\Book");
  EXPECT_FALSE(DestExists("Book/A.TXT"));
}

TEST_F(SectionCopyTest, TheStopEventEndsOnlyTheDirectoryBeingRead) {
  Disc("CODE/A/1.TXT", "1");
  Disc("CODE/A/2.TXT", "2");
  Disc("CODE/B.TXT", "b");
  fs->on_copy = [this](const std::string& from) {
    if (from == "1.TXT") state.g_eventStopCopy.Set();
  };
  CopyTree("CODE", "C:\\Book");
  EXPECT_TRUE(DestExists("Book/A/1.TXT"));
  EXPECT_FALSE(DestExists("Book/A/2.TXT"));
  EXPECT_TRUE(DestExists("Book/B.TXT"));
}

TEST_F(SectionCopyTest, ADirectoryThatCannotBeEnteredIsSkipped) {
  Disc("CODE/LOCKED/X.TXT", "x");
  Disc("CODE/OPEN/Y.TXT", "y");
  fs->locked_dirs.insert("LOCKED");
  CopyTree("CODE", "C:\\Book");
  EXPECT_FALSE(DestExists("Book/LOCKED/X.TXT"));
  EXPECT_EQ(Dest("Book/OPEN/Y.TXT"), "y");
}

TEST_F(SectionCopyTest, LinksBackIntoTheTreeAreNotFollowed) {
  Disc("CODE/SUB/A.TXT", "a");
  if (!temp.Link("disc/CODE/SUB/LOOP", "disc/CODE") ||
      !temp.Link("disc/CODE/SUB/SELF", "disc/CODE/SUB")) {
    GTEST_SKIP() << "the host makes no symbolic links";
  }
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book/SUB/A.TXT"), "a");
  EXPECT_FALSE(DestExists("Book/SUB/LOOP/SUB"));
  EXPECT_FALSE(DestExists("Book/SUB/SELF/A.TXT"));
}

TEST_F(SectionCopyTest, LongPathsHaveNoLimit) {
  std::string dir = "CODE";
  for (int i = 0; i < 12; ++i) dir += "/" + std::string(30, static_cast<char>('A' + i));
  Disc(dir + "/FILE.TXT", "deep");
  CopyTree("CODE", "C:\\Book");
  EXPECT_EQ(Dest("Book" + dir.substr(4) + "/FILE.TXT"), "deep");
}

// Faults of the medium and the destination: the walk goes on, the existing file survives,
// and the file not copied is recorded, plain or expanding.
TEST_F(SectionCopyTest, FaultsNeverLoseTheExistingFile) {
  const struct {
    const char* name;
    bool compressed;
    std::function<void(testing::FaultyFileSystem&)> fault;
  } cases[] = {
      {"medium gone, plain", false, [](auto& f) { f.medium_gone_at = "A.TXT"; }},
      {"medium gone, expanding", true,
       [](auto& f) {
         f.medium_gone_at = "A.TXT";
         f.read_limit = 20;
       }},
      {"read-only, plain", false, [](auto& f) { f.deny_writes_to = "A.TXT"; }},
      {"read-only, expanding", true, [](auto& f) { f.deny_writes_to = "A.TXT"; }},
      {"disk full, plain", false, [](auto& f) { f.disk_full_at = "A.TXT"; }},
      {"disk full, expanding", true,
       [](auto& f) {
         f.disk_full_at = "A.TXT";
         f.write_limit = 10;
       }},
  };
  for (const auto& c : cases) {
    InstallFixture f;
    std::vector<std::string> failures;
    f.state.m_copyFailures.SetListener(
        [&failures](const CopyFailure& failure) { failures.push_back(failure.file); });
    f.config.m_bFilesCompressed = c.compressed;
    f.SetAnswers("[ConfirmReplace]\nDefault=Yes\n");
    const std::string text(100, 'n');
    f.Disc("CODE/A.TXT", c.compressed ? SzddOf(text) : text);
    f.Disc("CODE/B.TXT", "b");
    f.DestFile("Book/A.TXT", "old a");
    c.fault(*f.fs);
    f.CopyTree("CODE", "C:\\Book");
    EXPECT_EQ(f.Dest("Book/A.TXT"), "old a") << c.name;
    EXPECT_EQ(f.Dest("Book/B.TXT"), "b") << c.name;
    EXPECT_TRUE(f.state.g_bCopyFailed) << c.name;
    EXPECT_EQ(failures, std::vector<std::string>{"C:\\Book\\A.TXT"}) << c.name;
    EXPECT_EQ(f.state.m_copyFailures.Count(), 1) << c.name;
    EXPECT_EQ(f.Shown(), std::vector<std::string>{"CConfirmReplaceDlg=Yes"}) << c.name;
  }
}

// What the host refuses: each file not copied is named with the host's reason, nothing is
// offered for replacement that is not an existing file, and the walk never blocks.
TEST_F(SectionCopyTest, EveryFileNotCopiedIsNamed) {
  // How this host words a missing path (each host in its own words).
  const std::string no_path = real->CreateForWrite("C:\\None\\A.TXT").status().message();
  const struct {
    const char* name;
    // False where the host cannot make what the row needs.
    std::function<bool(InstallFixture&)> arrange;
    std::vector<std::string> failures;
    std::vector<std::string> copied;
  } cases[] = {
      {"destination folder under a file",
       [](InstallFixture& f) {
         f.DestFile("Book", "a file");
         return true;
       },
       {"C:\\Book\\A.TXT: " + no_path, "C:\\Book\\SUB\\B.TXT: " + no_path},
       {}},
      {"a pipe on the disc",
       [](InstallFixture& f) { return f.temp.MakePipe("disc/CODE/PIPE"); },
       {"C:\\Book\\PIPE: is not a regular file"},
       {"Book/A.TXT", "Book/SUB/B.TXT"}},
      {"a link to a file off the drives",
       [](InstallFixture& f) {
         f.temp.WriteFile("outside/secret.txt", "secret");
         return f.temp.Link("disc/CODE/SECRET.TXT", "outside/secret.txt");
       },
       {"C:\\Book\\SECRET.TXT: a link leads off the drives"},
       {"Book/A.TXT", "Book/SUB/B.TXT"}},
      {"a link to a directory off the drives",
       [](InstallFixture& f) {
         f.temp.WriteFile("outside/secret.txt", "secret");
         return f.temp.Link("disc/CODE/OUT", "outside");
       },
       {},
       {"Book/A.TXT", "Book/SUB/B.TXT"}},
  };
  std::vector<std::string> not_made;
  for (const auto& c : cases) {
    InstallFixture f;
    std::vector<std::string> failures;
    f.state.m_copyFailures.SetListener([&failures](const CopyFailure& failure) {
      failures.push_back(failure.file + ": " + failure.reason);
    });
    f.Disc("CODE/A.TXT", "a");
    f.Disc("CODE/SUB/B.TXT", "b");
    if (!c.arrange(f)) {
      not_made.push_back(c.name);
      continue;
    }
    f.CopyTree("CODE", "C:\\Book");
    EXPECT_EQ(failures, c.failures) << c.name;
    EXPECT_EQ(f.state.g_bCopyFailed, !c.failures.empty()) << c.name;
    EXPECT_TRUE(f.Shown().empty()) << c.name;  // no replace question
    for (const std::string& copied : c.copied) EXPECT_TRUE(f.DestExists(copied)) << c.name;
    EXPECT_FALSE(f.DestExists("Book/SECRET.TXT")) << c.name;
    EXPECT_FALSE(f.DestExists("Book/OUT/secret.txt")) << c.name;
  }
  if (!not_made.empty()) {
    GTEST_SKIP() << "the host makes no pipes or symbolic links for: "
                 << ::testing::PrintToString(not_made);
  }
}

}  // namespace
}  // namespace setup
