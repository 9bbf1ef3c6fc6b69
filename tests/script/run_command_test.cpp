#include <filesystem>
#include <string>

#include "script_fixture.h"

namespace setup::testing {
namespace {

class RunCommandTest : public ScriptFixture {
 protected:
  RunCommandTest() {
    std::filesystem::copy_file(ARGV_RECORDER, Host("d/rec.exe"));
    temp_.MakeDir("d/work");
  }
  // The record without the carriage returns a Windows program's text mode writes.
  std::string Record(const std::string& dir) {
    std::string record = temp_.ReadFile(dir + "/argv_record.txt");
    std::erase(record, '\r');
    return record;
  }
  std::string Canonical(const std::string& relative) {
    return std::filesystem::canonical(Host(relative)).string();
  }
};

TEST_F(RunCommandTest, PassesEachArgumentAsItIs) {
  RunLine("RUN D:\\rec.exe x \"y z\" \"a\\\"b\" -q");
  EXPECT_EQ(Record("d"), "argv[0]=" + Canonical("d/rec.exe") + "\nargv[1]=x\nargv[2]=y z\n" +
                             "argv[3]=a\\\nargv[4]=b\"\nargv[5]=-q\ncwd=" + Canonical("d") + "\n");
  EXPECT_TRUE(Texts().empty());
}

TEST_F(RunCommandTest, AnEmptyArgumentEndsTheList) {
  RunLine("RUN D:\\rec.exe \"\" x");
  EXPECT_EQ(Record("d"), "argv[0]=" + Canonical("d/rec.exe") + "\ncwd=" + Canonical("d") + "\n");
}

TEST_F(RunCommandTest, RunsInTheCurrentDirectoryAndFindsRelativePrograms) {
  ASSERT_TRUE(fs_->ChangeDirectory("D:\\work").ok());
  RunLine("run ..\\REC.EXE %INSTALLDRIVE%");
  EXPECT_EQ(Record("d/work"),
            "argv[0]=" + Canonical("d/rec.exe") + "\nargv[1]=C\ncwd=" + Canonical("d/work") + "\n");
}

TEST_F(RunCommandTest, AnAbsentProgramIsReported) {
  RunLine("RUN D:\\nothere.exe x");
  EXPECT_EQ(Texts(), std::vector<std::string>{
                         "Batch file error. The file 'D:\\nothere.exe' does not exists; I can't "
                         "run it."});
}

TEST_F(RunCommandTest, AProgramThatCannotStartIsReportedWithoutWaiting) {
  temp_.WriteFile("d/notes.txt", "not a program");
  RunLine("RUN D:\\notes.txt");
  auto shown = messages_.shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "The call to CreateProcess for D:\\notes.txt failed.");
  EXPECT_EQ(shown[0].icon, MessageBoxIcon::Warning);
}

}  // namespace
}  // namespace setup::testing
