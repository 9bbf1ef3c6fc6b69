#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "qt_rig.h"
#include "support/loaded_code_page.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;
using Texts = std::vector<std::string>;

// The browse dialog's surroundings, shown on real widgets.
struct QtBrowseRig : testing::BrowseSetup {
  int Run() { return BrowseSetup::Run(rig.ws, rig.code_page); }
  QTreeWidget* Tree(CDialog& shown) { return rig.Widget<QTreeWidget>(shown, BrowseIds::TREE); }
  static Texts Children(QTreeWidgetItem* item) {
    Texts texts;
    for (int i = 0; i < item->childCount(); ++i)
      texts.push_back(item->child(i)->text(0).toStdString());
    return texts;
  }
  static QTreeWidgetItem* Child(QTreeWidgetItem* item, const std::string& text) {
    for (int i = 0; i < item->childCount(); ++i) {
      if (item->child(i)->text(0).toStdString() == text) return item->child(i);
    }
    return nullptr;
  }

  QtRig rig;
};

TEST(QtBrowseDlgTest, AnExpansionWithoutFoldersIsUndoneAndCollapsingReadsAgain) {
  QtBrowseRig b;
  b.rig.When("CBrowseDlg", [&](CDialog& shown) {
    QTreeWidget* tree = b.Tree(shown);
    QTreeWidgetItem* floppy = tree->topLevelItem(0);
    tree->expandItem(floppy);  // an empty floppy: nothing to show
    EXPECT_FALSE(floppy->isExpanded());
    EXPECT_EQ(floppy->childCount(), 1);  // keeps its '+'
    b.disk.AddDirectory("C:\\Later");
    QTreeWidgetItem* c = tree->topLevelItem(1);
    tree->expandItem(c);
    tree->collapseItem(c);
    b.disk.AddDirectory("C:\\Latest");
    tree->expandItem(c);
    EXPECT_EQ(QtBrowseRig::Children(c), (Texts{"Later", "Latest"}));
    // Closing the folder above the selection selects that folder.
    tree->setCurrentItem(QtBrowseRig::Child(c, "Later"));
    tree->collapseItem(c);
    EXPECT_EQ(tree->currentItem(), c);
    EXPECT_EQ(b.rig.Widget<QLabel>(shown, 1008)->text().toStdString(), "C:\\");
    QtRig::Key(b.rig.Window(shown), Qt::Key_Escape);
  });
  EXPECT_EQ(b.Run(), ID_CANCEL);
}

// Which characters are refused is the dialog's (see BrowseDlgTest); here that the real edit obeys.
// In Shift-JIS the edit's caret is a byte offset into the code-page text, so a refused two-byte
// character ('ア' = 0x83 0x41, '表' = 0x95 0x5C) goes whole and the caret stays after 'a'.
TEST(QtBrowseDlgTest, TypingIntoTheRealEditDropsIllegalCharacters) {
  const struct {
    int code_page;
    QString typed;
    std::string kept;
  } cases[] = {{1252, "My-Dir 1", "MyDir 1"}, {932, QString::fromUtf8("a\u30A2\u8868b"), "ab"}};
  for (const auto& c : cases) {
    QtBrowseRig b;
    if (c.code_page == 932) b.rig.code_page = testing::LoadedCodePage(932);
    b.rig.When("CBrowseDlg", [&](CDialog& shown) {
      QLineEdit* edit = b.rig.Widget<QLineEdit>(shown, 1015);
      edit->setFocus();
      QtRig::Type(edit, c.typed);
      EXPECT_EQ(edit->text().toStdString(), c.kept);
      EXPECT_EQ(edit->cursorPosition(), static_cast<int>(c.kept.size()));
      QtRig::Key(b.rig.Window(shown), Qt::Key_Return);
    });
    EXPECT_EQ(b.Run(), ID_OK);
    EXPECT_EQ(b.dialog->m_selectedPath, "C:\\" + c.kept);
  }
}

}  // namespace
}  // namespace setup
