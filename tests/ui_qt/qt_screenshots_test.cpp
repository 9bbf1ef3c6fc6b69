#include "ui/backends/qt/qt_screenshots.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>

#include "qt_rig.h"
#include "support/temp_dir.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

TEST(QtScreenshotsTest, OffUntilADirectoryIsSet) {
  testing::App();
  QtScreenshots shots;
  QWidget window;
  EXPECT_EQ(shots.Capture(window, "CWelcomeDlg"), "");
}

// The windows a typical run does not reach (the end-to-end screenshots take those), in the
// order they are shown; with SETUP_QT_SHOTS set, the pictures go there to be looked at.
TEST(QtScreenshotsTest, EachWindowIsCapturedAsItFirstAppears) {
  ::setup::testing::TempDir temp;
  const char* keep = std::getenv("SETUP_QT_SHOTS");
  std::string dir = keep && *keep ? keep : temp.MakeDir("shots");
  std::filesystem::create_directories(dir);
  QtRig rig;
  rig.ws.SetScreenshotDirectory(dir);

  testing::OptionsSetup options(testing::THREE_SECTIONS);
  options.disk.AddDirectory("C:\\Program Files\\Quillby");
  options.config.m_bChangeFolderButton = true;
  const SetupConfig& config = options.config;

  CBackdropDlg backdrop(rig.ws, config);
  ASSERT_TRUE(backdrop.Create());
  auto press = [&](int id) { return [&rig, id](CDialog& shown) { rig.Click(shown, id); }; };
  // Change Folder opens the browse dialog over the Options dialog; then Continue.
  rig.When("COptionsDlg", [&](CDialog& shown) {
    rig.Click(shown, 1006);
    rig.Click(shown, ID_OK);
  });
  rig.When("CBrowseDlg", [&](CDialog& shown) {
    TreeControl* tree = shown.GetTree(1016);
    tree->Expand(tree->GetSelection(), TVE_EXPAND);
    rig.Click(shown, ID_CANCEL);
  });
  options.Run(rig.ws, rig.code_page);
  rig.When("CConfirmReplaceDlg", press(1006));
  CConfirmReplaceDlg(rig.ws, config, "READ_ME.TXT", 1536, 1048576, FILETIME_UNIX_EPOCH,
                     FILETIME_UNIX_EPOCH, [](FileTime t) { return t; })
      .DoModal();
  rig.When("MessageBox", press(ID_OK));
  backdrop.ShowMessage("Please choose a folder, not the root of a drive.");
  backdrop.DestroyWindow();

  const std::vector<std::string> expected = {"001-CBackdropDlg.png", "002-COptionsDlg.png",
                                             "003-CBrowseDlg.png", "004-CConfirmReplaceDlg.png",
                                             "005-MessageBox.png"};
  // Each dialog's picture is the size its template gives in its font.
  for (const std::string& name : expected) {
    QImage image(QString::fromStdString(dir + "/" + name));
    ASSERT_FALSE(image.isNull()) << name;
    std::optional<InstallDialog> row = FindInstallDialog(name.substr(4, name.size() - 8));
    if (!row || *row == InstallDialog::Backdrop) continue;
    const DialogTemplate dialog_template = TemplateOf(*row);
    Size size = DialogUnitsToPixels(
        dialog_template.size,
        QtDialogWindow::MeasureBaseUnits(QtDialogWindow::TemplateFont(dialog_template)));
    EXPECT_EQ(image.width(), size.cx) << name;
    EXPECT_EQ(image.height(), size.cy) << name;
  }
}

}  // namespace
}  // namespace setup
