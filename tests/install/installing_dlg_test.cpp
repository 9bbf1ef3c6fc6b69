#include "install/installing_dlg.h"

#include <gtest/gtest.h>

#include "install_fixture.h"
#include "support/transcript_control.h"
#include "ui/dialogs/dialog_ids.h"

namespace setup {
namespace {

using testing::Gate;
using testing::InstallFixture;
using testing::SzddOf;

class InstallingDlgTest : public ::testing::Test, public InstallFixture {
 protected:
  InstallingDlgTest() {
    Disc("CODE/A.TXT", "a");
    Disc("CODE/B.TXT", "b");
    temp.MakeDir("c/Desktop");
    folders[FOLDER_DESKTOP] = "C:\\Desktop";
    config.SetSectionValue(KEY_SHORTCUTLOCATION, "Desktop");
    // A code directory written from the disc's root reads the same.
    config.SetSectionValue(KEY_CODEDIR, "\\CODE");
  }

  int Run() {
    CInstallingDlg dialog(
        {*fs, config, folders, state, *ws, code_page, *links, [](FileTime t) { return t; }});
    int result = dialog.DoModal();
    shortcut_path = dialog.m_strShortcutPath;
    return result;
  }

  // Presses Cancel while A.TXT is being copied and answers the exit confirmation with
  // `exit_button` (ID_OK continues, ID_CANCEL exits); returns the dialog's result.
  int CancelDuringTheCopy(int exit_button) {
    Gate gate;
    fs->on_copy = [&](const std::string& from) {
      if (from == "A.TXT") gate.Wait();
    };
    user.When("CInstallingDlg", [&](UserDriver& d) {
      gate.WaitForArrival();
      d.Click(ID_CANCEL);
    });
    user.When("CExitDlg", [&](UserDriver& d) {
      d.Click(exit_button);
      gate.Open();
    });
    int result = Run();
    fs->on_copy = nullptr;
    return result;
  }

  std::string shortcut_path;
};

TEST_F(InstallingDlgTest, CopiesTheSectionAndMakesItsShortcut) {
  EXPECT_EQ(Run(), ID_OK);
  // A Windows shell link is a file whose target the link maker's own tests read back.
  const std::string target = temp.LinkTarget("c/Desktop/Book.Lnk");
  if (!target.empty()) {
    EXPECT_EQ(target, temp.Join("c/Book"));
  }
  EXPECT_EQ(config.GetSectionValue(KEY_SHORTCUTLOCATION), "C:\\Desktop\\Book.Lnk");
  EXPECT_EQ(Shown(), std::vector<std::string>{"CInstallingDlg=OK"});
  // The fields show the last file when the dialog closes.
  const std::string line = transcript.str();
  EXPECT_NE(line.find(testing::TranscriptControl(InstallingIds::SOURCE_NAME, "B.TXT")),
            std::string::npos)
      << line;
  EXPECT_NE(line.find(testing::TranscriptControl(InstallingIds::DEST_NAME, R"(C:\\Book\\B.TXT)")),
            std::string::npos)
      << line;
}

// The three known folders in any case; any other location makes no shortcut and is kept as
// written.
TEST_F(InstallingDlgTest, EachKnownLocationGetsItsShortcut) {
  const struct {
    const char* location;
    const char* link;  // on drive C, "" for none
  } cases[] = {{"DESKTOP", "Desktop"},
               {"My Documents", "Documents"},
               {"favorites", "Favorites"},
               {"Start Menu", ""}};
  for (const auto& c : cases) {
    InstallFixture f;
    f.Disc("CODE/A.TXT", "a");
    for (const char* folder : {"Desktop", "Documents", "Favorites"})
      f.temp.MakeDir(std::string("c/") + folder);
    f.folders[FOLDER_DESKTOP] = "C:\\Desktop";
    f.folders[FOLDER_PERSONAL] = "C:\\Documents";
    f.folders[FOLDER_FAVORITES] = "C:\\Favorites";
    f.config.SetSectionValue(KEY_SHORTCUTLOCATION, c.location);
    CInstallingDlg dialog({*f.fs, f.config, f.folders, f.state, *f.ws, f.code_page, *f.links, {}});
    EXPECT_EQ(dialog.DoModal(), ID_OK) << c.location;
    for (const char* folder : {"Desktop", "Documents", "Favorites"}) {
      EXPECT_EQ(f.temp.Exists(std::string("c/") + folder + "/Book.Lnk"),
                folder == std::string(c.link))
          << c.location << " " << folder;
    }
    const std::string kept = *c.link ? "C:\\" + std::string(c.link) + "\\Book.Lnk" : c.location;
    EXPECT_EQ(f.config.GetSectionValue(KEY_SHORTCUTLOCATION), kept) << c.location;
  }
}

TEST_F(InstallingDlgTest, AFailedExpansionIsReportedOnceAfterTheCopy) {
  config.m_bFilesCompressed = true;
  Disc("CODE/A.TXT", SzddOf("some text to expand").substr(0, 20));
  Disc("CODE/B.TXT", SzddOf("more text to expand").substr(0, 20));
  EXPECT_EQ(Run(), ID_OK);
  EXPECT_FALSE(state.m_bExitRequested);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"CInstallingDlg=OK", "MessageBox=OK"}));
  EXPECT_NE(transcript.str().find("Some files could not be expanded."), std::string::npos);
}

TEST_F(InstallingDlgTest, ContinueLeavesTheCopyRunning) {
  EXPECT_EQ(CancelDuringTheCopy(ID_OK), ID_OK);
  EXPECT_FALSE(state.m_bExitRequested);
  EXPECT_EQ(Dest("Book/A.TXT"), "a");
  EXPECT_EQ(Dest("Book/B.TXT"), "b");
  EXPECT_EQ(shortcut_path, "C:\\Desktop\\Book.Lnk");
}

TEST_F(InstallingDlgTest, ExitFinishesTheFileInHandAndStartsNoOther) {
  EXPECT_EQ(CancelDuringTheCopy(ID_CANCEL), ID_CANCEL);
  EXPECT_TRUE(state.m_bExitRequested);
  EXPECT_EQ(Dest("Book/A.TXT"), "a");
  EXPECT_FALSE(DestExists("Book/B.TXT"));
  EXPECT_TRUE(shortcut_path.empty());
  EXPECT_EQ(config.GetSectionValue(KEY_SHORTCUTLOCATION), "Desktop");
}

}  // namespace
}  // namespace setup
