#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "config/setup_texts.h"
#include "qt_rig.h"
#include "support/loaded_code_page.h"
#include "ui/backends/qt/qt_window_system.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/dialog_ids.h"

namespace setup {
namespace {

// A Shift-JIS disc's texts in real windows: the window shows them converted through the code
// page, a second byte 0x5C ('表' is 0x95 0x5C) included.
TEST(QtDoubleByteTest, WindowsShowShiftJisTexts) {
  testing::App();
  const CodePage shift_jis = testing::LoadedCodePage(932);
  QtWindowSystem ws(shift_jis, nullptr);
  SetupConfig config;
  config.SetText(TEXT_CONFIRMREPLACETITLE, "\x8A\x6D\x94\x46");  // '確認'
  config.SetText(TEXT_CONFIRMREPLACETEXT1, "'%s'");
  config.SetText(TEXT_YESTOALLBUTTON, "&Yes");
  config.SetText(TEXT_NOBUTTON, "&No");
  config.m_bValid = true;
  CConfirmReplaceDlg dialog(ws, config, "\x95\x5C\x83\x5C.TXT", 10, 20, FILETIME_UNIX_EPOCH,
                            FILETIME_UNIX_EPOCH, [](FileTime t) { return t; });
  QString caption;
  QStringList labels;
  ws.SetShownHook([&](CDialog& shown) {
    QTimer::singleShot(0, [&] {
      QWidget* widget = ws.WindowOf(shown)->widget();
      caption = widget->windowTitle();
      for (auto* label : widget->findChildren<QLabel*>()) labels << label->text();
      for (auto* button : widget->findChildren<QPushButton*>()) {
        if (button->property("controlId").toInt() == ConfirmReplaceIds::NO) button->click();
      }
    });
  });
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  EXPECT_EQ(caption, QString::fromUtf8("確認"));
  EXPECT_TRUE(labels.contains(QString::fromUtf8("'表ソ.TXT'"))) << labels.join("|").toStdString();
}

}  // namespace
}  // namespace setup
