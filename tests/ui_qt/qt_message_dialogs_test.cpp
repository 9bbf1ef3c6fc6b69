#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <memory>

#include "qt_rig.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

// Every control with an id stands where its template puts it, in the dialog font's units.
void ExpectTemplateGeometry(QtRig& rig, CDialog& dialog) {
  DialogBaseUnits base = rig.ws.WindowOf(dialog)->BaseUnits();
  Size size = DialogUnitsToPixels(dialog.dialog_template().size, base);
  EXPECT_EQ(rig.Window(dialog)->width(), size.cx);
  EXPECT_EQ(rig.Window(dialog)->height(), size.cy);
  for (const ControlTemplate& control : dialog.dialog_template().controls) {
    if (control.id == IDC_STATIC) continue;
    EXPECT_EQ(dialog.GetDlgItem(control.id)->GetRect(), DialogUnitsToPixels(control.rect, base))
        << control.id;
  }
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
  const char* caption;
  const char* text;
  int key;
  int result;
};

TEST(QtMessageDialogsTest, ShowTheirTextsInTemplatePlacesAndAnswerEnterAndEsc) {
  const MessageCase cases[] = {
      {"CWelcomeDlg",
       [](WindowSystem& ws, SetupConfig& c) { return std::make_unique<CWelcomeDlg>(ws, c); },
       "Welcome", "Welcome to the setup of Quillby Book.", Qt::Key_Return, ID_OK},
      {"CExitDlg",
       [](WindowSystem& ws, SetupConfig& c) {
         static std::atomic<bool> exit_requested{false};
         return std::make_unique<CExitDlg>(ws, c, exit_requested);
       },
       "Exit Setup", "Setup is not complete. Exit anyway?", Qt::Key_Escape, ID_CANCEL},
      {"CNoRoomDlg",
       [](WindowSystem& ws, SetupConfig& c) { return std::make_unique<CNoRoomDlg>(ws, c, 'D'); },
       "Not Enough Space", "There is not enough space on drive D:.", Qt::Key_Enter, ID_OK},
  };
  for (const MessageCase& c : cases) {
    SCOPED_TRACE(c.kind);
    QtRig rig;
    SetupConfig config;
    testing::FillTexts(config);
    std::unique_ptr<CDialog> dialog = c.make(rig.ws, config);
    rig.When(c.kind, [&](CDialog& shown) {
      EXPECT_EQ(rig.Window(shown)->windowTitle().toStdString(), c.caption);
      EXPECT_EQ(rig.Widget<QLabel>(shown, 1000)->text().toStdString(), c.text);
      ExpectTemplateGeometry(rig, shown);
      ExpectWindowManners(rig, shown);
      QtRig::Key(rig.Window(shown), c.key);
    });
    EXPECT_EQ(dialog->DoModal(), c.result);
  }
}

TEST(QtMessageDialogsTest, TheExitConfirmationStartsOnContinueAndItsButtonsAnswer) {
  for (int button : {ID_OK, ID_CANCEL}) {
    QtRig rig;
    SetupConfig config;
    testing::FillTexts(config);
    std::atomic<bool> exit_requested{false};
    CExitDlg dialog(rig.ws, config, exit_requested);
    rig.When("CExitDlg", [&](CDialog& shown) {
      EXPECT_EQ(rig.ws.WindowOf(shown)->GetFocus(), ID_OK);
      // The mnemonic stays for the button and is dropped for the screen reader.
      EXPECT_EQ(rig.Widget<QPushButton>(shown, ID_CANCEL)->text().toStdString(), "E&xit");
      EXPECT_EQ(rig.Widget<QPushButton>(shown, ID_CANCEL)->accessibleName().toStdString(), "Exit");
      rig.Click(shown, button);
    });
    EXPECT_EQ(dialog.DoModal(), button);
    EXPECT_EQ(exit_requested, button == ID_CANCEL);
  }
}

TEST(QtMessageDialogsTest, TheBackdropFillsTheScreenWithTheGradientAndTheShadowedMessage) {
  QtRig rig;
  SetupConfig config;
  testing::FillTexts(config);
  CBackdropDlg backdrop(rig.ws, config);
  ASSERT_TRUE(backdrop.Create());
  ScreenMetrics metrics = rig.ws.Metrics();
  QWidget* window = rig.Window(backdrop);
  EXPECT_EQ(window->width(), metrics.cx_full_screen);
  EXPECT_EQ(window->height(), metrics.cy_full_screen);
  QImage image = window->grab().toImage();
  int h = image.height();
  // Away from the message: the top row pure blue, each row the blue of its band.
  for (int y : {0, h / 2, h - 1}) {
    QColor colour = image.pixelColor(image.width() - 1, y);
    EXPECT_EQ(colour.red(), 0);
    EXPECT_EQ(colour.green(), 0);
    EXPECT_EQ(colour.blue(), 255 - CBackdropDlg::GradientIndex(y, h)) << y;
  }
  // The message: white letters with black shadow around (46, 46).
  bool white = false;
  bool black = false;
  for (int y = 46; y < 46 + 40; ++y) {
    for (int x = 46; x < 46 + 200; ++x) {
      QColor colour = image.pixelColor(x, y);
      white = white || colour == Qt::white;
      black = black || colour == Qt::black;
    }
  }
  EXPECT_TRUE(white);
  EXPECT_TRUE(black);
  backdrop.DestroyWindow();
}

TEST(QtMessageDialogsTest, TheUpdatingWindowShowsItsTextUntilDestroyed) {
  QtRig rig;
  SetupConfig config;
  testing::FillTexts(config);
  testing::AddSections(config, {{"Samples", "C:\\Samples", "1"}});
  CUpdatingDlg updating(rig.ws, config);
  ASSERT_TRUE(updating.Create());
  EXPECT_TRUE(rig.Window(updating)->isVisible());
  EXPECT_EQ(rig.Widget<QLabel>(updating, 1017)->text().toStdString(),
            "Updating the files of Samples.");
  ExpectTemplateGeometry(rig, updating);
  updating.DestroyWindow();
  EXPECT_EQ(rig.ws.WindowOf(updating), nullptr);
}

}  // namespace
}  // namespace setup
