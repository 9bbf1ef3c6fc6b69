#include "ui/backends/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ui/dialogs/confirm_replace_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;
using testing::WaitingDlg;

TEST(HeadlessWindowSystemTest, WorkerShowsDialogsAndBoxesOnTheUiThreadThenPosts) {
  HeadlessRig rig;
  std::thread worker;
  std::thread::id dialog_thread;
  int replace_result = 0;
  MessageBoxResult box = MessageBoxResult::Cancel;
  rig.user.When("CConfirmReplaceDlg", [&](UserDriver& d) {
    dialog_thread = std::this_thread::get_id();
    d.Click(ConfirmReplaceIds::NO);
  });
  WaitingDlg progress(rig.ws, [&](CDialog& dialog) {
    WindowHandle handle = dialog.GetSafeHwnd();
    worker = std::thread([&, handle] {
      CConfirmReplaceDlg replace(rig.ws, rig.config, "A.TXT", 1, 2, 0, 0,
                                 [](FileTime t) { return t; });
      replace_result = replace.DoModal();
      box = rig.ws.MessageBoxes().ShowMessageBox({"Setup", "Copy problem"});
      rig.ws.Post(handle, WaitingDlg::DONE, 7, 0);
    });
  });
  EXPECT_EQ(progress.DoModal(), ID_OK);
  worker.join();
  EXPECT_EQ(progress.received, 7);
  EXPECT_EQ(dialog_thread, std::this_thread::get_id());
  EXPECT_EQ(replace_result, ID_OK);
  EXPECT_EQ(box, MessageBoxResult::Ok);
  // The progress dialog comes first, as the user saw it, with the windows it led to after.
  auto lines = rig.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find(R"("kind":"WaitingDlg")"), std::string::npos);
  EXPECT_NE(lines[1].find(R"("kind":"CConfirmReplaceDlg")"), std::string::npos);
  EXPECT_NE(lines[1].find(R"("answer":"No")"), std::string::npos);
  EXPECT_NE(lines[2].find(R"("text":"Copy problem")"), std::string::npos);
}

TEST(HeadlessWindowSystemTest, MessagesToAGoneWindowAreDropped) {
  HeadlessRig rig;
  WindowHandle gone = 0;
  WaitingDlg first(rig.ws, [&](CDialog& d) {
    gone = d.GetSafeHwnd();
    d.Post(WaitingDlg::DONE, 1, 0);
  });
  first.DoModal();
  rig.ws.Post(gone, WaitingDlg::DONE, 2, 0);
  EXPECT_EQ(rig.ws.RunPendingTasks(), 1);
  EXPECT_EQ(first.received, 1);
}

TEST(HeadlessWindowSystemTest, ADialogThatNeverEndsIsAbandonedAfterTheTurnLimit) {
  HeadlessRig rig;
  // Every turn continues; the limit ends the run instead of looping forever.
  for (int i = 0; i < HeadlessWindowSystem::MAX_USER_TURNS + 5; ++i) {
    rig.user.When("CExitDlg", [](UserDriver&) {});
  }
  std::atomic<bool> exit_requested{false};
  CExitDlg dialog(rig.ws, rig.config, exit_requested);
  EXPECT_EQ(dialog.DoModal(), ID_CANCEL);
}

TEST(TranscriptWriterTest, ConvertsTheCodePageToUtf8AndEscapes) {
  CodePage code_page;
  std::ostringstream out;
  TranscriptWriter writer(code_page, &out, nullptr);
  writer.OnMessageBox({"\xdc"
                       "bung",
                       "Tab\there \"quoted\" \\ \x01"},
                      MessageBoxResult::Ok);
  EXPECT_EQ(out.str(),
            "{\"kind\":\"MessageBox\",\"caption\":\"\xc3\x9c"
            "bung\",\"text\":\"Tab\\there "
            "\\\"quoted\\\" \\\\ "
            "\\u0001\",\"icon\":\"warning\",\"buttons\":[\"OK\"],\"answer\":\"OK\"}\n");
}

TEST(TranscriptWriterTest, AnUnfinishedDialogIsWrittenWithoutAnswerAtTheEnd) {
  CodePage code_page;
  std::ostringstream out;
  {
    TranscriptWriter writer(code_page, &out, nullptr);
    DialogSnapshot shown{
        "CInstallingDlg", "Installing", {{InstallingIds::TEXT, "Copying"}}, false, {}};
    writer.OnDialogShown(shown, false);
    writer.OnMessageBox({"Setup", "later"}, MessageBoxResult::Ok);
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_EQ(
      out.str(),
      "{\"kind\":\"CInstallingDlg\",\"caption\":\"Installing\",\"controls\":{\"1000\":\"Copying\"}}"
      "\n"
      "{\"kind\":\"MessageBox\",\"caption\":\"Setup\",\"text\":\"later\",\"icon\":\"warning\","
      "\"buttons\":[\"OK\"],\"answer\":\"OK\"}\n");
}

TEST(AnswersUserTest, RetryIsAnsweredAFewTimesThenCancel) {
  AnswersUser user(IniFile::Parse("[RenameRetry]\nDefault = Retry\n"));
  MessageBoxRequest question{"Setup", "Cannot rename", MessageBoxIcon::None,
                             MessageBoxButtons::RetryCancel};
  for (int i = 0; i < AnswersUser::MAX_RETRIES; ++i) {
    EXPECT_EQ(user.AnswerMessageBox(question), MessageBoxResult::Retry);
  }
  EXPECT_EQ(user.AnswerMessageBox(question), MessageBoxResult::Cancel);
  AnswersUser plain;
  EXPECT_EQ(plain.AnswerMessageBox(question), MessageBoxResult::Cancel);
  EXPECT_EQ(
      plain.AnswerMessageBox({"Setup", "x", MessageBoxIcon::Warning, MessageBoxButtons::YesNo}),
      MessageBoxResult::Yes);
}

}  // namespace
}  // namespace setup
