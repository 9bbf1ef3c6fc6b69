#include <gtest/gtest.h>

#include <functional>

#include "qt_rig.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/framework/message_box_dlg.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::QtRig;

// A user whose acts a test gives; it records each turn it was asked on.
class TestUser : public DialogUser {
 public:
  std::function<bool(UserDriver&)> act;
  MessageBoxResult box_answer = MessageBoxResult::Ok;
  std::vector<int> turns;

  bool Act(UserDriver& driver) override {
    turns.push_back(driver.turn());
    return act(driver);
  }
  MessageBoxResult AnswerMessageBox(const MessageBoxRequest&) override { return box_answer; }
};

class QtDialogUserTest : public ::testing::Test {
 protected:
  QtDialogUserTest() { rig.ws.SetUser(&user); }
  QtRig rig;
  TestUser user;
  // The exit confirmation serves as a dialog with a default and a cancel button.
  std::atomic<bool> exit_requested{false};
};

TEST_F(QtDialogUserTest, TheUserClicksTheRealButtons) {
  struct Case {
    const char* name;
    std::function<bool(UserDriver&)> act;
    int result;
  };
  const Case cases[] = {
      {"a click", [](UserDriver& d) { return d.Click(ID_CANCEL); }, ID_CANCEL},
      {"Enter", [](UserDriver& d) { return d.PressEnter(); }, ID_OK},
      {"Esc", [](UserDriver& d) { return d.PressEsc(); }, ID_CANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    user.act = c.act;
    CExitDlg dialog(rig.ws, rig.config, exit_requested);
    EXPECT_EQ(dialog.DoModal(), c.result);
  }
}

TEST_F(QtDialogUserTest, ADialogActedOnWithoutEndIsCancelledAfterTheLastTurn) {
  user.act = [](UserDriver&) { return true; };
  CExitDlg dialog(rig.ws, rig.config, exit_requested);
  EXPECT_EQ(dialog.DoModal(), ID_CANCEL);
  ASSERT_EQ(user.turns.size(), size_t{WaitingDialogs::MAX_USER_TURNS});
  EXPECT_EQ(user.turns.front(), 0);
  EXPECT_EQ(user.turns.back(), WaitingDialogs::MAX_USER_TURNS - 1);
}

// A dialog the user leaves alone is asked again after a message is posted to it.
TEST_F(QtDialogUserTest, ADialogLeftAloneIsAskedAgainAfterAPostedMessage) {
  CExitDlg dialog(rig.ws, rig.config, exit_requested);
  user.act = [&](UserDriver& d) {
    if (d.turn() == 0 && user.turns.size() == 1) {
      dialog.Post(MSG_USER);
      return false;
    }
    return d.Click(ID_OK);
  };
  EXPECT_EQ(dialog.DoModal(), ID_OK);
  EXPECT_EQ(user.turns, (std::vector<int>{0, 0}));
}

TEST_F(QtDialogUserTest, AMessageBoxIsShownAndAnsweredWithTheUsersButton) {
  user.box_answer = MessageBoxResult::No;
  MessageBoxRequest request{"Caption", "Sure?", MessageBoxIcon::Question, MessageBoxButtons::YesNo};
  EXPECT_EQ(rig.ws.MessageBoxes().ShowMessageBox(request), MessageBoxResult::No);
  EXPECT_NE(rig.transcript.str().find("\"answer\":\"No\""), std::string::npos)
      << rig.transcript.str();
  // A button the box does not have is its first.
  user.box_answer = MessageBoxResult::Retry;
  EXPECT_EQ(rig.ws.MessageBoxes().ShowMessageBox(request), MessageBoxResult::Yes);
}

// The browse answer through the real tree and edit: the deepest existing folder is opened
// and selected, the rest typed through the edit's character filter.
TEST_F(QtDialogUserTest, TheBrowseAnswerOpensTheTreeAndTypesTheRest) {
  testing::BrowseSetup browse;
  browse.disk.AddDirectory("C:\\Alpha\\Inner");
  user.act = [](UserDriver& d) { return CBrowseDlg::GiveAnswer(d, "C:\\alpha\\Inner\\New_Dir"); };
  EXPECT_EQ(browse.Run(rig.ws, rig.code_page), ID_OK);
  EXPECT_EQ(browse.dialog->m_selectedPath, "C:\\Alpha\\Inner\\NewDir");
}

}  // namespace
}  // namespace setup
