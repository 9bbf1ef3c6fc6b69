#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "qt_rig.h"
#include "ui/backends/qt/qt_check_list.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;
using testing::THREE_SECTIONS;

// The Options dialog's surroundings, shown on real widgets.
struct QtOptionsRig : testing::OptionsSetup {
  using OptionsSetup::OptionsSetup;
  int Run() { return OptionsSetup::Run(rig.ws, rig.code_page); }
  QtCheckListWidget* List(CDialog& dialog) {
    return rig.Widget<QtCheckListWidget>(dialog, OptionsIds::CHECK_LIST);
  }
  // A point on item `index`, `x` pixels into the list's client area.
  QPoint ItemPoint(CDialog& dialog, int index, int x) {
    Rect item = dialog.GetList(OptionsIds::CHECK_LIST)->GetItemRect(index);
    QPoint inside = List(dialog)->contentsRect().topLeft();
    return inside + QPoint(x, (item.top + item.bottom) / 2);
  }

  QtRig rig;
};

TEST(QtOptionsDlgTest, TheCheckListStandsLeftOfTheDescriptionWithItsItemsAndTicks) {
  QtOptionsRig o(THREE_SECTIONS);
  o.config.m_bChangeFolderButton = true;
  o.rig.When("COptionsDlg", [&](CDialog& shown) {
    ListControl* list = shown.GetList(OptionsIds::CHECK_LIST);
    ASSERT_NE(list, nullptr);
    Rect box = shown.GetDlgItem(1002)->GetRect();
    EXPECT_EQ(list->GetRect(), (Rect{box.left - 273, box.top + 7, box.left - 10, box.bottom + 7}));
    // Not a tab stop, but named for a screen reader after its label.
    EXPECT_EQ(o.List(shown)->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(o.List(shown)->accessibleName().toStdString(), "Options:");
    o.rig.Click(shown, ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
}

TEST(QtOptionsDlgTest, ClicksOnTheRealListReachTheDialog) {
  struct Case {
    const char* what;
    int item;
    bool on_glyph;
    const char* by_default;  // InstallByDefault of the item afterwards
    const char* description;
  };
  const Case cases[] = {
      {"the glyph clears a ticked item", 1, true, "FALSE", "Installs the Samples files."},
      {"the text only selects", 1, false, "TRUE", "Installs the Samples files."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QtOptionsRig o(THREE_SECTIONS);
    o.rig.When("COptionsDlg", [&](CDialog& shown) {
      int x = c.on_glyph ? 3 : 60;
      QtRig::MouseClick(o.List(shown), o.ItemPoint(shown, c.item, x));
      EXPECT_EQ(o.Value(c.item, KEY_INSTALLBYDEFAULT), c.by_default);
      EXPECT_EQ(shown.GetList(OptionsIds::CHECK_LIST)->GetCurSel(), c.item);
      EXPECT_EQ(o.rig.Widget<QLabel>(shown, 1003)->text().toStdString(), c.description);
      // The click hands the focus back to the dialog.
      EXPECT_NE(o.rig.ws.WindowOf(shown)->GetFocus(), OptionsIds::CHECK_LIST);
      QtRig::Key(o.rig.Window(shown), Qt::Key_Return);
    });
    EXPECT_EQ(o.Run(), ID_OK);
  }
}

TEST(QtOptionsDlgTest, TheSpaceBarTogglesTheSelectedItemWithoutTellingTheDialog) {
  QtOptionsRig o(THREE_SECTIONS);
  o.rig.When("COptionsDlg", [&](CDialog& shown) {
    QtRig::MouseClick(o.List(shown), o.ItemPoint(shown, 2, 60));
    o.List(shown)->setFocus();
    QtRig::Key(o.List(shown), Qt::Key_Space, " ");
    EXPECT_EQ(shown.GetList(OptionsIds::CHECK_LIST)->GetCheck(2), 1);
    EXPECT_EQ(o.Value(2, KEY_INSTALLBYDEFAULT), "FALSE");
    o.rig.Click(shown, ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
  // Continue takes the ticks as they stand.
  EXPECT_EQ(o.Value(2, KEY_INSTALLBYDEFAULT), "TRUE");
}

TEST(QtOptionsDlgTest, TheDriveListOffersFixedDrivesAndTheUsersChoiceMovesEveryOption) {
  QtOptionsRig o(THREE_SECTIONS);
  o.config.SetSetting(SETTING_CHANGEFOLDERBUTTON, "CHANGEDRIVE");
  o.rig.When("COptionsDlg", [&](CDialog& shown) {
    auto* combo = o.rig.Widget<QComboBox>(shown, 1001);
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(o.rig.Widget<QLabel>(shown, 1000)->isVisible());
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0).toStdString(), "[C]");
    EXPECT_EQ(combo->itemText(1).toStdString(), "[D]");
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(combo->accessibleName().toStdString(), "Drives:");
    QtRig::Key(combo, Qt::Key_Down);  // the user picks the next entry
    EXPECT_EQ(o.rig.Widget<QLabel>(shown, 1007)->text().toStdString(), "D:\\Quillby\\Book");
    o.rig.Click(shown, ID_OK);
  });
  EXPECT_EQ(o.Run(), ID_OK);
}

}  // namespace
}  // namespace setup
