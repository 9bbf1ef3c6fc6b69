#include "install/installing_dlg.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "install/install_state.h"
#include "platform/posix_shell_link_maker.h"
#include "qt_rig.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

// The progress dialog on real widgets, copying a disc's CODE directory on drive C:.
struct QtInstallingRig {
  QtInstallingRig() {
    testing::FillTexts(config);
    config.SetText(TEXT_INSTALLINGTITLE, "Installing");
    config.SetText(TEXT_INSTALLINGTEXT1, "Copying");
    config.SetText(TEXT_INSTALLINGTEXT2, "to");
    testing::AddSections(config, {{"Book", "C:\\Quillby\\Book", "1"}});
    config.m_nCurrentSection = 0;
    config.SetSectionValue(KEY_CODEDIR, "\\DISC\\CODE");
  }
  int Run() {
    CInstallingDlg dialog(
        {*fs, config, folders, state, rig.ws, rig.code_page, links, [](FileTime t) { return t; }});
    return dialog.DoModal();
  }

  ::setup::testing::TempDir temp;
  QtRig rig;
  std::unique_ptr<FileSystem> fs =
      testing::MakeTempDrives(temp, {{'C', "c", DriveType::Fixed}}, "C:\\");
  SetupConfig config;
  SpecialFolders folders;
  InstallState state;
  PosixShellLinkMaker links{*fs};
};

TEST(QtInstallingDlgTest, TheWorkerCopiesWhileTheRealDialogShowsTheNamesAndEndsIt) {
  QtInstallingRig r;
  r.temp.WriteFile("c/DISC/CODE/READ_ME.TXT", "hello");
  r.rig.When("CInstallingDlg", [&](CDialog& shown) {
    EXPECT_EQ(r.rig.Window(shown)->windowTitle().toStdString(), "Installing");
    EXPECT_EQ(r.rig.Widget<QLabel>(shown, 1000)->text().toStdString(), "Copying");
  });
  EXPECT_EQ(r.Run(), ID_OK);
  EXPECT_TRUE(r.temp.Exists("c/Quillby/Book/READ_ME.TXT"));
  EXPECT_FALSE(r.state.m_bExitRequested);
  EXPECT_NE(r.rig.transcript.str().find(R"("kind":"CInstallingDlg")"), std::string::npos);
}

TEST(QtInstallingDlgTest, AMissingSourceIsToldInABoxFromTheWorkerAndEndsTheInstallation) {
  QtInstallingRig r;
  r.rig.When("MessageBox", [&](CDialog& shown) { r.rig.Click(shown, ID_OK); });
  EXPECT_EQ(r.Run(), ID_OK);
  EXPECT_TRUE(r.state.m_bExitRequested);
  EXPECT_NE(r.rig.transcript.str().find(R"(named '\\DISC\\CODE')"), std::string::npos)
      << r.rig.transcript.str();
}

}  // namespace
}  // namespace setup
