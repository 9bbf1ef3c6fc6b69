#include <gtest/gtest.h>

#include <QPushButton>
#include <memory>

#include "qt_rig.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

// The window is the size its template gives, in the dialog font's units.
void ExpectTemplateSize(QtRig& rig, CDialog& dialog) {
  Size size =
      DialogUnitsToPixels(dialog.dialog_template().size, rig.ws.WindowOf(dialog)->BaseUnits());
  EXPECT_EQ(rig.Window(dialog)->width(), size.cx);
  EXPECT_EQ(rig.Window(dialog)->height(), size.cy);
}

// What a person and a screen reader can rely on in every window.
void ExpectWindowManners(QtRig& rig, CDialog& dialog) {
  QWidget* window = rig.Window(dialog);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinMaxButtonsHint);
  EXPECT_FALSE(window->windowIcon().isNull());
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->property("controlId").isValid()) continue;
    EXPECT_FALSE(child->accessibleName().isEmpty()) << child->property("controlId").toInt();
  }
  int default_button = dialog.dialog_template().DefaultButton();
  if (default_button != 0) {
    EXPECT_TRUE(rig.Widget<QPushButton>(dialog, default_button)->isDefault());
  }
}

struct MessageCase {
  const char* kind;
  std::function<std::unique_ptr<CDialog>(WindowSystem&, SetupConfig&)> make;
  int key;
  int result;
};

TEST(QtMessageDialogsTest, TakeTheirTemplateSizeAndAnswerEnterAndEsc) {
  const MessageCase cases[] = {
      {"CExitDlg",
       [](WindowSystem& ws, SetupConfig& c) {
         static std::atomic<bool> exit_requested{false};
         return std::make_unique<CExitDlg>(ws, c, exit_requested);
       },
       Qt::Key_Escape, ID_CANCEL},
      {"CNoRoomDlg",
       [](WindowSystem& ws, SetupConfig& c) { return std::make_unique<CNoRoomDlg>(ws, c, 'D'); },
       Qt::Key_Enter, ID_OK},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.kind);
    QtRig rig;
    std::unique_ptr<CDialog> dialog = c.make(rig.ws, rig.config);
    rig.When(c.kind, [&](CDialog& shown) {
      ExpectTemplateSize(rig, shown);
      ExpectWindowManners(rig, shown);
      QtRig::Key(rig.Window(shown), c.key);
    });
    EXPECT_EQ(dialog->DoModal(), c.result);
  }
}

}  // namespace
}  // namespace setup
