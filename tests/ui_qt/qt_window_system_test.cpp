#include "ui/backends/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTimer>
#include <atomic>
#include <set>
#include <thread>

#include "qt_rig.h"
#include "support/temp_dir.h"
#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/dialog_templates.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

TEST(QtWindowSystemTest, RendersTheReplaceConfirmationFromItsTemplate) {
  QtRig rig;
  SetupConfig config;
  testing::FillTexts(config);
  testing::TempDir temp;
  std::string png = temp.Join("confirm_replace.png");
  CConfirmReplaceDlg dialog(rig.ws, config, "READ_ME.TXT", 1536, 0, FILETIME_UNIX_EPOCH,
                            FILETIME_UNIX_EPOCH, [](FileTime t) { return t; });
  DialogBaseUnits base;
  rig.When("CConfirmReplaceDlg", [&](CDialog& shown) {
    base = rig.ws.WindowOf(shown)->BaseUnits();
    rig.Window(shown)->grab().toImage().save(QString::fromStdString(png), "PNG");
    rig.Click(shown, ConfirmReplaceIds::NO);
  });
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  EXPECT_TRUE(dialog.m_bNo);
  EXPECT_GT(base.cx, 0);
  EXPECT_GT(base.cy, 0);

  QImage loaded(QString::fromStdString(png));
  ASSERT_FALSE(loaded.isNull());
  Size size = DialogUnitsToPixels(Size{277, 140}, base);
  EXPECT_EQ(loaded.width(), size.cx);
  EXPECT_EQ(loaded.height(), size.cy);
  // The file-name text was drawn: its area holds more than one colour.
  Rect text =
      DialogUnitsToPixels(ConfirmReplaceTemplate().Find(ConfirmReplaceIds::FILE_TEXT)->rect, base);
  std::set<QRgb> colours;
  for (int y = text.top; y < text.bottom; ++y) {
    for (int x = text.left; x < text.right; ++x) colours.insert(loaded.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 1u);
}

constexpr uint32_t WM_TEST_DONE = MSG_USER + 5;

class WaitingDlg : public CDialog {
 public:
  explicit WaitingDlg(WindowSystem& ws) : CDialog(ws, WelcomeTemplate()) {
    OnMessageId(WM_TEST_DONE, [this](uintptr_t, intptr_t) {
      EndDialog(ID_OK);
      return intptr_t{0};
    });
  }
  const char* ClassName() const override { return "WaitingDlg"; }
};

TEST(QtWindowSystemTest, WorkerBoxesAreShownOnTheUiThreadAndPostsDelivered) {
  QtRig rig;
  QtWindowSystem& ws = rig.ws;
  std::thread::id main_thread = std::this_thread::get_id();
  std::vector<std::thread::id> shown_on;
  std::thread worker;
  MessageBoxResult answer = MessageBoxResult::Retry;
  ws.SetShownHook([&](CDialog& shown) {
    shown_on.push_back(std::this_thread::get_id());
    if (std::string(shown.ClassName()) == "MessageBox") {
      QTimer::singleShot(0, [&] { rig.Click(shown, ID_CANCEL); });
      return;
    }
    WindowHandle handle = shown.GetSafeHwnd();
    worker = std::thread([&, handle] {
      answer = ws.MessageBoxes().ShowMessageBox(
          {"Setup", "From the worker", MessageBoxIcon::Warning, MessageBoxButtons::OkCancel});
      ws.Post(handle, WM_TEST_DONE, 0, 0);
    });
  });
  WaitingDlg dialog(ws);
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  worker.join();
  EXPECT_EQ(answer, MessageBoxResult::Cancel);
  ASSERT_EQ(shown_on.size(), 2u);
  EXPECT_EQ(shown_on[0], main_thread);
  EXPECT_EQ(shown_on[1], main_thread);
}

}  // namespace
}  // namespace setup
