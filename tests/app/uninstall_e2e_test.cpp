#include <gtest/gtest.h>

#include <fstream>

#include "app/front_end.h"
#include "setup_runner.h"

namespace setup {
namespace {

using testing::SetupRunner;

class UninstallE2eTest : public ::testing::Test, public SetupRunner {
 protected:
  void InstallSample() {
    UseSampleDisc();
    ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  }
  bool Shows(const std::string& text) const {
    return temp.ReadFile("transcript.jsonl").find(text) != std::string::npos;
  }
};

TEST_F(UninstallE2eTest, TheSampleDiscLeavesTheDriveAsItWas) {
  temp.WriteFile("c/Documents/My Notes.txt", "the reader's own");
  temp.WriteFile("c/Quillby/Reader's Letter.txt", "kept whatever happens");
  // The uninstaller program the install leaves in the Windows directory stays.
  const std::vector<std::string> before = Listing("c", {"WINDOWS/ZORUNIN.EXE"}, false);
  InstallSample();
  ASSERT_EQ(RunSetup({"--uninstall"}), EXIT_FINISHED) << Stderr();
  const std::string listed = Stdout();
  EXPECT_NE(listed.find("Quillby Reader\tC:\\Programs\\Quillby Reader\t"), std::string::npos)
      << listed;
  EXPECT_NE(listed.find("Quillby Examples\tC:\\Quillby\\Examples\t"), std::string::npos) << listed;

  EXPECT_EQ(RunSetup({"--uninstall", "Quillby Reader"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(RunSetup({"--uninstall", "quillby examples"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Listing("c", {"WINDOWS/ZORUNIN.EXE"}, false), before);
  EXPECT_EQ(Uninstall("Quillby Reader", "DisplayName"), std::nullopt);
  EXPECT_EQ(Uninstall("Quillby Examples", "DisplayName"), std::nullopt);
}

TEST_F(UninstallE2eTest, ChangedAndAddedFilesSurviveAndAreNamed) {
  InstallSample();
  {
    std::ofstream changed(temp.Join("c/Quillby/Examples/Example1.txt"), std::ios::app);
    changed << "my own example\n";
  }
  temp.WriteFile("c/Quillby/Examples/Notes/Mine.txt", "mine");
  EXPECT_EQ(RunSetup({"--uninstall", "Quillby Examples"}), EXIT_FILES_KEPT);
  EXPECT_NE(Stderr().find("setup: kept: C:\\Quillby\\Examples\\Example1.txt\n"), std::string::npos)
      << Stderr();
  EXPECT_NE(Stderr().find("setup: kept: C:\\Quillby\\Examples\\Notes\\Mine.txt\n"),
            std::string::npos)
      << Stderr();
  EXPECT_TRUE(
      Shows("so they were kept:\\nC:\\\\Quillby\\\\Examples\\\\Example1.txt\\nC:\\\\"
            "Quillby\\\\Examples\\\\Notes\\\\Mine.txt\""));
}

// The question goes where the installation's dialogs go: here real (offscreen) windows,
// answered from the answers file. No keeps everything; an unknown name and a wrong answer are
// usage errors.
TEST_F(UninstallE2eTest, RealWindowsAskTheSameQuestionAndNoKeepsEverything) {
  InstallSample();
  Answers("[Uninstall]\nDefault = No\n");
  EXPECT_EQ(RunSetup({"--gui", "--uninstall", "Quillby Reader"}), EXIT_FAILED) << Stderr();
  EXPECT_TRUE(
      Shows("\"caption\":\"Quillby Reader\",\"text\":\"Remove the files of Quillby's "
            "Guide to Reading Slowly from this computer?\""));
  EXPECT_TRUE(temp.Exists("c/Programs/Quillby Reader/Read Me.txt"));
  EXPECT_EQ(Uninstall("Quillby Reader", "DisplayName"), "Quillby Reader");
  EXPECT_EQ(RunSetup({"--uninstall", "Quillby Atlas"}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("setup: no installed entry is named 'Quillby Atlas'"), std::string::npos);
  Answers("[Uninstall]\nDefault = Perhaps\n");
  EXPECT_EQ(RunSetup({"--uninstall", "Quillby Reader"}), EXIT_USAGE);
  EXPECT_NE(Stderr().find("answers.ini:2: Default = Perhaps: expected Yes or No"),
            std::string::npos);
}

}  // namespace
}  // namespace setup
