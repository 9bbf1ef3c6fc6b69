#include "ui/backends/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <thread>

#include "qt_rig.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

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
      ws.Post(handle, testing::WaitingDlg::DONE, 0, 0);
    });
  });
  testing::WaitingDlg dialog(ws, [](CDialog&) {});
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  worker.join();
  EXPECT_EQ(answer, MessageBoxResult::Cancel);
  ASSERT_EQ(shown_on.size(), 2u);
  EXPECT_EQ(shown_on[0], main_thread);
  EXPECT_EQ(shown_on[1], main_thread);
}

}  // namespace
}  // namespace setup
