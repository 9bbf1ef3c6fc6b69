#include "ui/dialogs/confirm_replace_dlg.h"

#include <gtest/gtest.h>

#include "ui/dialogs/dialog_ids.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;

// 00:05:03 on Saturday 9 June 2001 and 15:07:09 on Thursday 5 March 1998, as local times.
constexpr FileTime OLD_TIME = FILETIME_UNIX_EPOCH + 992045103ULL * 10000000ULL;
constexpr FileTime NEW_TIME = FILETIME_UNIX_EPOCH + 889110429ULL * 10000000ULL;

FileTime Identity(FileTime time) { return time; }

std::unique_ptr<CConfirmReplaceDlg> MakeDialog(WindowSystem& ws, const SetupConfig& config,
                                               int64_t new_size, int64_t old_size) {
  return std::make_unique<CConfirmReplaceDlg>(ws, config, "READ_ME.TXT", new_size, old_size,
                                              NEW_TIME, OLD_TIME, Identity);
}

TEST(ConfirmReplaceDlgTest, TextsWhenValidAndTemplateTextsWhenInvalid) {
  const std::pair<bool, const char*> cases[] = {
      {true, R"({"kind":"CConfirmReplaceDlg","caption":"Confirm File Replace","controls":{)"
             R"("1":"&Yes","2":"Cancel",)"
             R"("1000":"This folder already contains a file called 'READ_ME.TXT'.",)"
             R"("1001":"Yes to &All","1006":"No",)"
             R"("1008":"Would you like to replace the existing file",)"
             R"("1010":"0 Bytes","1011":"modified on Saturday,  June 9, 2001,  12:05:03  AM",)"
             R"("1012":"with this one?","1013":"1.00 KBytes",)"
             R"("1014":"modified on Thursday,  March 5, 1998,  3:07:09  PM"},"answer":"Yes"})"},
      {false, R"({"kind":"CConfirmReplaceDlg","caption":"This is the default title","controls":{)"
              R"("1":"Yes","2":"Cancel",)"
              R"("1000":"This folder already contains a file called '%s'.",)"
              R"("1001":"Yes To All","1006":"No",)"
              R"("1008":"Would you like to replace the existing file",)"
              R"("1010":"975 KB","1011":"modified on %s","1012":"with this one?",)"
              R"("1013":"975 KB","1014":"modified on %s"},"answer":"Yes"})"},
  };
  for (const auto& [valid, line] : cases) {
    HeadlessRig rig;
    rig.config.m_bValid = valid;
    MakeDialog(rig.ws, rig.config, 1024, 0)->DoModal();
    ASSERT_EQ(rig.Lines().size(), 1u);
    EXPECT_EQ(rig.Lines()[0], line);
  }
}

TEST(ConfirmReplaceDlgTest, HostileFormatTextsAreShownSafely) {
  HeadlessRig rig;
  rig.config.SetText(TEXT_CONFIRMREPLACETEXT1, "%s%s%s%n");
  rig.config.SetText(TEXT_CONFIRMREPLACETEXT3, "%999999d %");
  rig.user.When("CConfirmReplaceDlg", [](UserDriver& d) {
    EXPECT_EQ(d.Text(ConfirmReplaceIds::FILE_TEXT), "READ_ME.TXT%s%s%n");
    EXPECT_EQ(d.Text(ConfirmReplaceIds::OLD_DATE), "%999999d %");
    d.PressEnter();
  });
  MakeDialog(rig.ws, rig.config, 1, 1)->DoModal();
  EXPECT_EQ(rig.user.PendingSteps(), 0u);
}

TEST(ConfirmReplaceDlgTest, AnswersSetTheFlagsAndResults) {
  struct Case {
    const char* name;
    std::function<void(UserDriver&)> act;
    int result;
    bool yes_to_all;
    bool no;
    const char* answer;
  };
  using Answer = CConfirmReplaceDlg::Answer;
  auto give = [](Answer answer) {
    return [answer](UserDriver& d) { EXPECT_TRUE(CConfirmReplaceDlg::GiveAnswer(d, answer)); };
  };
  const Case cases[] = {
      {"given yes to all", give(Answer::YesToAll), ID_OK, true, false, "YesToAll"},
      {"given no", give(Answer::No), ID_OK, false, true, "No"},
      {"given cancel", give(Answer::Cancel), ID_CANCEL, false, false, "Cancel"},
      {"enter", [](UserDriver& d) { d.PressEnter(); }, ID_OK, false, false, "Yes"},
      {"esc", [](UserDriver& d) { d.PressEsc(); }, ID_CANCEL, false, false, "Cancel"},
  };
  for (const Case& c : cases) {
    HeadlessRig rig;
    rig.user.When("CConfirmReplaceDlg", c.act);
    auto dialog = MakeDialog(rig.ws, rig.config, 10, 10);
    dialog->m_bNo = dialog->m_bYesToAll = true;  // cleared when the dialog opens
    EXPECT_EQ(dialog->DoModal(), c.result) << c.name;
    EXPECT_EQ(dialog->m_bYesToAll, c.yes_to_all) << c.name;
    EXPECT_EQ(dialog->m_bNo, c.no) << c.name;
    EXPECT_NE(rig.Lines()[0].find(std::string("\"answer\":\"") + c.answer + "\""),
              std::string::npos)
        << c.name;
  }
}

}  // namespace
}  // namespace setup
