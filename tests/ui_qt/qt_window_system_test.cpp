#include "ui/backends/qt/qt_window_system.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <thread>

#include "qt_rig.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

TEST(QtWindowSystemTest, WorkerDialogsAndBoxesAreShownOnTheUiThreadAndPostsDelivered) {
  QtRig rig;
  QtWindowSystem& ws = rig.ws;
  std::thread::id main_thread = std::this_thread::get_id();
  std::vector<std::thread::id> shown_on;
  std::thread worker;
  MessageBoxResult answer = MessageBoxResult::Retry;
  int workers_result = 0;
  int workers_received = 0;
  ws.SetShownHook([&](CDialog& shown) {
    shown_on.push_back(std::this_thread::get_id());
    if (std::string(shown.ClassName()) == "MessageBox") {
      QTimer::singleShot(0, [&] { rig.Click(shown, ID_CANCEL); });
      return;
    }
    if (shown_on.size() > 1) {  // the worker's own dialog
      ws.Post(shown.GetSafeHwnd(), testing::WaitingDlg::DONE, 7, 0);
      return;
    }
    WindowHandle handle = shown.GetSafeHwnd();
    worker = std::thread([&, handle] {
      testing::WaitingDlg workers_dialog(ws, [](CDialog&) {});
      workers_result = workers_dialog.DoModal();
      workers_received = workers_dialog.received;
      answer = ws.MessageBoxes().ShowMessageBox(
          {"Setup", "From the worker", MessageBoxIcon::Warning, MessageBoxButtons::OkCancel});
      ws.Post(handle, testing::WaitingDlg::DONE, 0, 0);
    });
  });
  testing::WaitingDlg dialog(ws, [](CDialog&) {});
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  worker.join();
  EXPECT_EQ(workers_result, ID_OK);
  EXPECT_EQ(workers_received, 7);
  EXPECT_EQ(answer, MessageBoxResult::Cancel);
  ASSERT_EQ(shown_on.size(), 3u);
  for (std::thread::id on : shown_on) EXPECT_EQ(on, main_thread);
}

}  // namespace
}  // namespace setup
