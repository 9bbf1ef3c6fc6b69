#include "ui/dialogs/options_dlg.h"

#include <gtest/gtest.h>

#include "ui/dialogs/dialog_ids.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;
using testing::TestSection;
using testing::THREE_SECTIONS;

// The Options dialog's surroundings, shown in the headless window system.
struct OptionsRig : testing::OptionsSetup {
  explicit OptionsRig(const std::vector<TestSection>& sections, IniFile answers = IniFile())
      : OptionsSetup(sections), rig(std::move(answers)) {}
  int Run() { return OptionsSetup::Run(rig.ws, rig.code_page); }
  void MarkInstalled(const std::string& product) {
    ASSERT_TRUE(registry->CreateKey(std::string(UNINSTALL_KEY) + "\\" + product).ok());
  }

  HeadlessRig rig;
};

TEST(OptionsDlgTest, OpensWithSizesTicksAndTheFirstOptionsTexts) {
  OptionsRig o(THREE_SECTIONS);
  o.config.m_bChangeFolderButton = true;
  o.rig.user.When("COptionsDlg", [](UserDriver& d) {
    EXPECT_EQ(d.Text(OptionsIds::SPACE_AVAILABLE), "Space available on drive C: 100.00 MBytes");
    EXPECT_TRUE(d.dialog().GetDlgItem(OptionsIds::CHANGE_FOLDER)->IsVisible());
    EXPECT_FALSE(d.dialog().GetDlgItem(OptionsIds::DRIVES)->IsVisible());
    d.PressEsc();
  });
  o.Run();
  // 1536 bytes is above 1024, so KBytes; an empty size shows nothing after the TAB.
  std::string line = o.rig.Lines()[0];
  EXPECT_NE(line.find(R"("items":[{"text":"Book\t1.50 MBytes","checked":true},)"
                      R"({"text":"Samples\t1.50 KBytes","checked":true},)"
                      R"({"text":"Extras\t","checked":false}])"),
            std::string::npos)
      << line;
}

TEST(OptionsDlgTest, AnInstalledOptionStartsClearAndCountsNothing) {
  OptionsRig o(THREE_SECTIONS);
  o.MarkInstalled("Book");
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    EXPECT_EQ(o.Value(0, KEY_INSTALLBYDEFAULT), "FALSE");
    EXPECT_EQ(d.dialog().GetList(OptionsIds::CHECK_LIST)->GetCheck(0), 0);
    EXPECT_EQ(d.Text(OptionsIds::SPACE_REQUIRED), "Space required on drive C: 1.50 KBytes");
    d.PressEsc();
  });
  o.Run();
  EXPECT_EQ(o.rig.user.PendingSteps(), 0u);
}

TEST(OptionsDlgTest, ContinueStoresTheTicksAndTheInstallFolders) {
  OptionsRig o(THREE_SECTIONS);
  o.rig.user.When("COptionsDlg", [](UserDriver& d) {
    d.ClickListItem(OptionsIds::CHECK_LIST, 1, true);  // untick Samples
    d.Click(ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.Value(0, KEY_INSTALLBYDEFAULT), "TRUE");
  EXPECT_EQ(o.Value(1, KEY_INSTALLBYDEFAULT), "FALSE");
  EXPECT_EQ(o.Value(2, KEY_INSTALLBYDEFAULT), "FALSE");
  EXPECT_EQ(o.config.m_nCurrentSection, 0);
  EXPECT_EQ(o.folders[FOLDER_INSTALLPATH], "C:\\Quillby\\Book");
  EXPECT_EQ(o.folders[FOLDER_INSTALLDRIVE], "C");
  EXPECT_EQ(o.folders[FOLDER_WORKDIR], "\\Quillby\\Book");
}

TEST(OptionsDlgTest, EverythingClearPassesTheSpaceTest) {
  OptionsRig o(THREE_SECTIONS);
  o.fs.SetFree('C', 0);
  o.rig.user.When("COptionsDlg", [](UserDriver& d) {
    d.ClickListItem(OptionsIds::CHECK_LIST, 0, true);
    d.ClickListItem(OptionsIds::CHECK_LIST, 1, true);
    d.Click(ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.rig.Lines().size(), 1u);
}

TEST(OptionsDlgTest, TwoShortDrivesShowTwoNoRoomDialogsInLetterOrder) {
  OptionsRig o({{"Book", "d:\\Book", "2000000"},
                {"Samples", "C:\\Samples", "3000000"},
                {"Extras", "C:\\Extras", "1"}});
  o.fs.SetFree('C', 1000);
  o.fs.SetFree('D', 1000);
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    // The lower-case letter shows as written.
    EXPECT_EQ(d.Text(OptionsIds::SPACE_AVAILABLE), "Space available on drive d: 1000 Bytes");
    d.Click(ID_OK);
    EXPECT_FALSE(d.dialog().IsEnded());
    EXPECT_EQ(o.config.m_nCurrentSection, 2);  // left on the last section
    d.PressEsc();
  });
  o.Run();
  auto lines = o.rig.Lines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_NE(lines[1].find("There is not enough space on drive C:."), std::string::npos);
  EXPECT_NE(lines[2].find("There is not enough space on drive D:."), std::string::npos);
}

TEST(OptionsDlgTest, ByteSumsAndFreeSpaceDoNotWrapAt32Bits) {
  std::vector<TestSection> twenty;
  for (int i = 0; i < 20; ++i) {
    twenty.push_back({"Part" + std::to_string(i), "C:\\P" + std::to_string(i), "268435456"});
  }
  OptionsRig o(twenty);  // 20 x 256 MB = 5 GB
  o.fs.SetFree('C', 4ULL << 30);
  o.rig.user.When("COptionsDlg", [](UserDriver& d) {
    EXPECT_EQ(d.Text(OptionsIds::SPACE_REQUIRED), "Space required on drive C: 5120.00 MBytes");
    EXPECT_EQ(d.Text(OptionsIds::SPACE_AVAILABLE), "Space available on drive C: 4096.00 MBytes");
    d.Click(ID_OK);
    EXPECT_FALSE(d.dialog().IsEnded());
    d.PressEsc();
  });
  o.Run();
  ASSERT_GE(o.rig.Lines().size(), 2u);
  EXPECT_NE(o.rig.Lines()[1].find("CNoRoomDlg"), std::string::npos);
}

// Continue is refused when a destination names no drive or its free space cannot be read.
TEST(OptionsDlgTest, ContinueNeedsADriveLetterAndReadableFreeSpace) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "does not start with a drive letter"},
      {"%PROGRAMS%\\Book", "does not start with a drive letter"},
      {"1:\\Book", "does not start with a drive letter"},
      {"D:\\Book", "CNoRoomDlg"},  // FailSpace('D') below
  };
  for (const auto& [dest, shown] : cases) {
    OptionsRig o({{"Book", dest, "1"}});
    o.fs.FailSpace('D');
    o.rig.user.When("COptionsDlg", [](UserDriver& d) {
      d.Click(ID_OK);
      EXPECT_FALSE(d.dialog().IsEnded());
      d.PressEsc();
    });
    o.Run();
    auto lines = o.rig.Lines();
    ASSERT_GE(lines.size(), 2u) << dest;
    EXPECT_NE(lines[1].find(shown), std::string::npos) << dest;
  }
}

TEST(OptionsDlgTest, BareDriveRootIsRefusedAndTheSavedDestinationRestored) {
  OptionsRig o({{"Book", "C:\\Book", "1"}, {"Samples", "D:\\", "1"}});
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    d.ClickListItem(OptionsIds::CHECK_LIST, 1, false);
    d.Click(ID_OK);
    EXPECT_FALSE(d.dialog().IsEnded());
    // The cursor section gets the destination saved when the dialog opened (section 0's).
    EXPECT_EQ(o.Value(1, KEY_DESTDIR), "C:\\Book");
    EXPECT_EQ(d.Text(OptionsIds::FOLDER), "C:\\Book");
    d.Click(ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  auto lines = o.rig.Lines();
  EXPECT_NE(
      lines[1].find(
          R"("kind":"MessageBox","caption":"Setup","text":"Please choose a folder, not the root of a drive.")"),
      std::string::npos);
}

TEST(OptionsDlgTest, ChangeDriveModeOffersNoCdRomAndMovesEveryDestination) {
  OptionsRig o(THREE_SECTIONS);
  o.config.SetSetting(SETTING_CHANGEFOLDERBUTTON, "ChangeDrive");
  o.config.m_bChangeFolderButton = false;
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    EXPECT_FALSE(d.dialog().GetDlgItem(OptionsIds::CHANGE_FOLDER)->IsVisible());
    d.PickCombo(OptionsIds::DRIVES, "[D]");
    EXPECT_EQ(o.config.m_nCurrentSection, 0);
    d.Click(ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.Value(0, KEY_DESTDIR), "D:\\Quillby\\Book");
  EXPECT_EQ(o.Value(2, KEY_DESTDIR), "D:\\Quillby\\Extras");  // unticked, moved all the same
  EXPECT_EQ(o.folders[FOLDER_INSTALLDRIVE], "D");
}

TEST(OptionsDlgTest, ChangeFolderSetsOnlyTheSelectedOption) {
  OptionsRig o(THREE_SECTIONS);
  o.disk.AddDirectory("D:\\Books");
  o.config.m_bChangeFolderButton = true;
  o.rig.user.When("COptionsDlg", [](UserDriver& d) {
    d.ClickListItem(OptionsIds::CHECK_LIST, 1, false);
    d.Click(OptionsIds::CHANGE_FOLDER);
  });
  o.rig.user.When("CBrowseDlg", [](UserDriver& d) {
    d.ExpandTreeItem(BrowseIds::TREE, "D:\\");
    d.SelectTreeItem(BrowseIds::TREE, "D:\\Books");
    d.Type(BrowseIds::NEW_DIRECTORY, "Demo");
    d.Click(ID_OK);
  });
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    EXPECT_EQ(d.Text(OptionsIds::FOLDER), "D:\\Books\\Demo");
    EXPECT_EQ(o.config.m_nCurrentSection, 1);
    d.Click(ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.Value(0, KEY_DESTDIR), "C:\\Quillby\\Book");
  EXPECT_EQ(o.Value(1, KEY_DESTDIR), "D:\\Books\\Demo");
}

TEST(OptionsDlgTest, ExitAsksForConfirmation) {
  OptionsRig o(THREE_SECTIONS);
  o.rig.user.When("COptionsDlg", [](UserDriver& d) { d.Click(ID_CANCEL); });
  o.rig.user.When("CExitDlg", [](UserDriver& d) { d.Click(ID_OK); });  // Continue
  o.rig.user.When("COptionsDlg", [&](UserDriver& d) {
    EXPECT_FALSE(o.exit_requested);
    d.PressEsc();
  });
  o.rig.user.When("CExitDlg", [](UserDriver& d) { d.Click(ID_CANCEL); });  // Exit
  EXPECT_EQ(o.Run(), ID_CANCEL);
  EXPECT_TRUE(o.exit_requested);
}

TEST(OptionsDlgTest, ZeroSectionsContinue) {
  OptionsRig o({});
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.folders[FOLDER_INSTALLPATH], "");
}

TEST(OptionsAnswersTest, SelectFolderAndButtonFromTheAnswersFile) {
  // A folder is taken exactly, '#' and all.
  OptionsRig o(THREE_SECTIONS,
               IniFile::Parse("[Options]\nSelect = 2,3\nFolder3 = D:\\Books\\Extra #1\n"
                              "Button = Continue\n"));
  o.disk.AddDirectory("D:\\Books");
  o.config.m_bChangeFolderButton = true;
  EXPECT_EQ(o.Run(), ID_OK);
  EXPECT_EQ(o.Value(0, KEY_INSTALLBYDEFAULT), "FALSE");
  EXPECT_EQ(o.Value(1, KEY_INSTALLBYDEFAULT), "TRUE");
  EXPECT_EQ(o.Value(2, KEY_INSTALLBYDEFAULT), "TRUE");
  EXPECT_EQ(o.Value(2, KEY_DESTDIR), "D:\\Books\\Extra #1");
  auto lines = o.rig.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find(R"("answer":"Continue")"), std::string::npos);
  EXPECT_NE(lines[1].find(R"("kind":"CBrowseDlg")"), std::string::npos);
}

TEST(OptionsAnswersTest, DriveAnswerAndARefusedContinueEndsInAConfirmedExit) {
  OptionsRig o(THREE_SECTIONS,
               IniFile::Parse("[Options]\nDrive = d\n[ExitConfirm]\nDefault = Continue\n"));
  o.config.SetSetting(SETTING_CHANGEFOLDERBUTTON, "CHANGEDRIVE");
  o.fs.SetFree('D', 10);  // too small: Continue is refused
  EXPECT_EQ(o.Run(), ID_CANCEL);
  EXPECT_TRUE(o.exit_requested);
  EXPECT_EQ(o.Value(1, KEY_DESTDIR), "D:\\Quillby\\Samples");
  auto lines = o.rig.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[1].find("CNoRoomDlg"), std::string::npos);
  EXPECT_NE(lines[2].find(R"("kind":"CExitDlg")"), std::string::npos);
  EXPECT_NE(lines[2].find(R"("answer":"Exit")"), std::string::npos);
}

}  // namespace
}  // namespace setup
