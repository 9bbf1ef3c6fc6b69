#include "script_fixture.h"

namespace setup::testing {
namespace {

class ScriptFileTest : public ScriptFixture {};

// The name is neither expanded nor, but for the upper-case word NULL, taken for no script.
TEST_F(ScriptFileTest, AMissingScriptIsReported) {
  temp_.WriteFile("d/s.scr", "MD C:\\made\r\n");
  const std::vector<std::string> names = {"nothere.scr", "%STARTDIR%\\s.scr", "null"};
  for (const std::string& name : names) runner_->RunScriptFile(name, "D:\\");
  auto shown = messages_.shown();
  ASSERT_EQ(shown.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(shown[i].text, "Couldn't find script file " + names[i] + ".");
    EXPECT_EQ(shown[i].icon, MessageBoxIcon::Warning);
    EXPECT_EQ(shown[i].buttons, MessageBoxButtons::Ok);
  }
  EXPECT_FALSE(temp_.Exists("c/made"));
}

TEST_F(ScriptFileTest, NullRunsNothingAndEmptyOnlyChangesDirectory) {
  fs_->ChangeDirectory("C:\\");
  runner_->RunScriptFile("NULL", "D:\\");
  EXPECT_EQ(fs_->CurrentDirectory(), "C:\\");
  runner_->RunScriptFile("", "D:\\");
  EXPECT_EQ(fs_->CurrentDirectory(), "D:\\");
  EXPECT_TRUE(Texts().empty());
}

TEST_F(ScriptFileTest, UnknownWordsAndCommentsDoNothing) {
  RunScript("; a comment\r\nREM MD C:\\x\r\nCOPY2 D:\\a.txt C:\\b.txt\r\nCOPY.\r\n MD C:\\y\r\n");
  EXPECT_TRUE(Texts().empty());
  EXPECT_FALSE(temp_.Exists("c/x"));
  EXPECT_FALSE(temp_.Exists("c/y"));
}

TEST_F(ScriptFileTest, CommandWordsAndFieldsAreExpanded) {
  RunScript("md %INSTALLPATH%\\Data\r\nMd \"%DESKTOP%\\My Books\"\r\n");
  EXPECT_TRUE(temp_.Exists("c/Books/Demo/Data"));
  EXPECT_TRUE(temp_.Exists("c/Desktop/My Books"));
}

}  // namespace
}  // namespace setup::testing
