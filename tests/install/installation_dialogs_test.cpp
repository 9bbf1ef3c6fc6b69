#include "ui/dialogs/installation_dialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "install/installing_dlg.h"
#include "install_fixture.h"
#include "platform/registry_file.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/dialogs/options_dlg.h"

namespace setup {
namespace {

using testing::InstallFixture;

// Answers, the front end's window check and the transcript find a dialog by its table row:
// every dialog class of an installation must be one row of its own, built from that row's
// template, and every row must be some class.
TEST(InstallationDialogsTest, EachDialogClassIsItsOwnRowOfTheTable) {
  InstallFixture f;
  auto store = RegistryFile::Open(f.temp.Join("registry.reg"));
  ASSERT_TRUE(store.ok());
  RegistryFile registry = std::move(store.value());
  HeadlessWindowSystem& ws = *f.ws;

  std::vector<std::unique_ptr<CDialog>> dialogs;
  dialogs.push_back(std::make_unique<CWelcomeDlg>(ws, f.config));
  dialogs.push_back(std::make_unique<CBackdropDlg>(ws, f.config));
  dialogs.push_back(
      std::make_unique<CConfirmReplaceDlg>(ws, f.config, "A.TXT", 1, 1, FileTime{}, FileTime{}));
  dialogs.push_back(std::make_unique<CFinishedDlg>(ws, f.config));
  dialogs.push_back(std::make_unique<CNoRoomDlg>(ws, f.config, 'C'));
  dialogs.push_back(std::make_unique<CExitDlg>(ws, f.config, f.state.m_bExitRequested));
  dialogs.push_back(std::make_unique<CSetupFailedDlg>(ws, f.config));
  dialogs.push_back(std::make_unique<CInstallingDlg>(
      InstallServices{*f.fs, f.config, f.folders, f.state, ws, f.code_page, *f.links, {}}));
  dialogs.push_back(std::make_unique<CBrowseDlg>(ws, f.config, *f.fs, f.code_page));
  dialogs.push_back(std::make_unique<CUpdatingDlg>(ws, f.config));
  dialogs.push_back(std::make_unique<COptionsDlg>(ws, f.config, f.folders, *f.fs, registry,
                                                  f.code_page, f.state.m_bExitRequested));

  std::set<std::string> kinds;
  for (const auto& dialog : dialogs) {
    const std::string kind = dialog->ClassName();
    std::optional<InstallDialog> row = FindInstallDialog(kind);
    ASSERT_TRUE(row.has_value()) << kind << " is not in the table";
    EXPECT_EQ(dialog->dialog_template().resource_id, TemplateOf(*row).resource_id) << kind;
    EXPECT_TRUE(kinds.insert(kind).second) << "two classes are " << kind;
  }
  EXPECT_EQ(kinds.size(), InstallationDialogs().size());
}

}  // namespace
}  // namespace setup
