#include "ui/dialogs/installation_dialogs.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/dialogs/dialog_ids.h"

namespace setup {
namespace {

// A repeated id would make handlers, answers and the transcript's controls reach the wrong
// control.
TEST(InstallationDialogsTest, ControlIdsAreUniqueWithinEachTemplate) {
  for (const InstallDialogInfo& row : InstallationDialogs()) {
    std::set<int> ids;
    for (const ControlTemplate& control : row.make_template().controls) {
      if (control.id == IDC_STATIC) continue;
      EXPECT_TRUE(ids.insert(control.id).second) << row.kind << " repeats " << control.id;
    }
    if (row.dialog == InstallDialog::Options) {
      EXPECT_EQ(ids.count(OptionsIds::CHECK_LIST), 0u) << "the check list's id is taken";
    }
  }
}

TEST(InstallationDialogsTest, KindsAndTemplatesAreDistinctAndFoundByKind) {
  std::set<std::string> kinds;
  std::set<int> resources;
  for (const InstallDialogInfo& row : InstallationDialogs()) {
    EXPECT_TRUE(kinds.insert(row.kind).second) << row.kind;
    EXPECT_TRUE(resources.insert(row.make_template().resource_id).second) << row.kind;
    EXPECT_EQ(FindInstallDialog(row.kind), row.dialog) << row.kind;
    EXPECT_STREQ(KindOf(row.dialog), row.kind);
  }
  for (const char* other : {"MessageBox", "", "coptionsdlg", "COptionsDlg "}) {
    EXPECT_EQ(FindInstallDialog(other), std::nullopt) << other;
  }
}

}  // namespace
}  // namespace setup
