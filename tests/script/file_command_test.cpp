#include "script/directory_path.h"

#include "script_fixture.h"

namespace setup::testing {
namespace {

class FileCommandTest : public ScriptFixture {};

TEST_F(FileCommandTest, DeleteRemovesFilesAndSaysNothing) {
  temp_.WriteFile("c/a.txt", "a");
  temp_.WriteFile("c/ro.txt", "r");
  ASSERT_TRUE(fs_->SetAttributes("C:\\ro.txt", ATTRIB_READONLY).ok());
  temp_.MakeDir("c/dir");
  RunScript("DEL C:\\a.txt\r\nDEL C:\\ro.txt\r\nDEL C:\\absent.txt\r\nDEL C:\\dir\r\nDEL\r\n");
  EXPECT_FALSE(temp_.Exists("c/a.txt"));
  EXPECT_TRUE(temp_.Exists("c/ro.txt"));
  EXPECT_TRUE(temp_.Exists("c/dir"));
  EXPECT_TRUE(Texts().empty());
}

TEST_F(FileCommandTest, RenameMovesAFileAndReportsAnAbsentOne) {
  temp_.WriteFile("c/old.txt", "x");
  temp_.MakeDir("c/other");
  RunLine("RENAME C:\\old.txt C:\\other\\new.txt");
  EXPECT_EQ(temp_.ReadFile("c/other/new.txt"), "x");
  EXPECT_FALSE(temp_.Exists("c/old.txt"));
  EXPECT_TRUE(Texts().empty());
  RunLine("RENAME C:\\none.txt C:\\new.txt");
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "Batch file error. The file 'C:\\none.txt' does not exists; I can't "
                         "rename it."});
  EXPECT_TRUE(pauses_.empty());
}

// Eleven attempts with a pause each, the question, one more attempt and pause after Retry;
// the question quotes the system's text for the failure.
TEST_F(FileCommandTest, RenameRetriesElevenTimesThenAsks) {
  temp_.WriteFile("c/a.txt", "a");
  temp_.WriteFile("c/b.txt", "b");
  messages_.QueueAnswer(MessageBoxResult::Retry);
  messages_.QueueAnswer(MessageBoxResult::Cancel);
  RunLine("RENAME C:\\a.txt C:\\b.txt");
  EXPECT_EQ(pauses_, std::vector<int>(12, 2000));
  auto shown = messages_.shown();
  ASSERT_EQ(shown.size(), 2u);
  for (const auto& box : shown) {
    EXPECT_EQ(box.icon, MessageBoxIcon::None);
    EXPECT_EQ(box.buttons, MessageBoxButtons::RetryCancel);
    EXPECT_EQ(box.text,
              "Cannot create a file when that file already exists.\r\n\nI can't rename "
              "\"C:\\a.txt\" as \"C:\\b.txt\". (Retry this operation at least once. If the "
              "operation continues to fail another process might have opened the file.)");
  }
  EXPECT_EQ(temp_.ReadFile("c/a.txt"), "a");
  EXPECT_EQ(temp_.ReadFile("c/b.txt"), "b");
}

class AttribCommandTest : public ScriptFixture {
 protected:
  uint32_t Attributes(const std::string& path) {
    auto attributes = fs_->GetAttributes(path);
    EXPECT_TRUE(attributes.ok()) << path;
    return attributes.ok()
               ? *attributes & (ATTRIB_READONLY | ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE)
               : 0xFFFF;
  }
};

TEST_F(AttribCommandTest, SwitchesApplyInOrder) {
  temp_.WriteFile("c/f.txt", "f");
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", 0).ok());
  if (Attributes("C:\\f.txt") != 0) GTEST_SKIP() << "the archive bit cannot be cleared here";
  struct Case {
    std::string switches;
    uint32_t attributes;
  };
  const Case cases[] = {
      {"+r -a", ATTRIB_READONLY},
      {"+R -R", ATTRIB_ARCHIVE},
      {"+X R +h", ATTRIB_ARCHIVE | ATTRIB_HIDDEN},
      {"-A", 0},
      {"+s \"\" +h", ATTRIB_ARCHIVE | ATTRIB_SYSTEM},  // the empty slot ends the list
      {"", ATTRIB_ARCHIVE},
  };
  for (const auto& c : cases) {
    temp_.WriteFile("c/f.txt", "f");
    ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", ATTRIB_ARCHIVE).ok());
    RunLine("ATTRIB C:\\f.txt " + c.switches);
    EXPECT_EQ(Attributes("C:\\f.txt"), c.attributes) << c.switches;
    ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", 0).ok());
  }
  EXPECT_TRUE(Texts().empty());
}

TEST_F(AttribCommandTest, TimesAreKeptToTheSecond) {
  temp_.WriteFile("c/f.txt", "f");
  const FileTime second = 10000000;
  const FileTime when = FILETIME_UNIX_EPOCH + 1600000000 * second;
  ASSERT_TRUE(fs_->SetFileTimes("C:\\f.txt", 0, when + second / 4, when + second / 2).ok());
  RunLine("ATTRIB C:\\f.txt +R");
  auto info = fs_->GetFileInfo("C:\\f.txt");
  ASSERT_TRUE(info.ok());
  EXPECT_EQ(info->last_write_time, when);
  EXPECT_EQ(info->last_access_time, when);
}

TEST_F(AttribCommandTest, AnAbsentFileIsIgnored) {
  RunLine("ATTRIB C:\\absent.txt +R");
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
}  // namespace setup::testing
