#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/front_end.h"
#include "setup_runner.h"

namespace setup {
namespace {

using testing::SetupRunner;
namespace fs = std::filesystem;

class UninstallE2eTest : public ::testing::Test, public SetupRunner {
 protected:
  // Every entry below `dir` with what it holds: a file's permissions and bytes, a link's
  // target. The uninstaller program the install leaves in the Windows directory is left out.
  std::vector<std::string> Listing(const std::string& dir) const {
    std::vector<std::string> lines;
    const fs::path root = temp.Join(dir);
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
      const std::string name = fs::relative(it->path(), root).string();
      if (name == "WINDOWS/ZORUNIN.EXE") continue;
      const fs::file_status status = it->symlink_status();
      std::ostringstream line;
      line << name << " " << static_cast<int>(status.type()) << " "
           << static_cast<unsigned>(status.permissions());
      if (fs::is_symlink(status)) {
        line << " -> " << fs::read_symlink(it->path()).string();
      } else if (fs::is_regular_file(status)) {
        line << " " << temp.ReadFile(dir + "/" + name);
      }
      lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  }
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
  const std::vector<std::string> before = Listing("c");
  InstallSample();
  ASSERT_EQ(RunSetup({"--uninstall"}), EXIT_FINISHED) << Stderr();
  const std::string listed = Stdout();
  EXPECT_NE(listed.find("Quillby Reader\tC:\\Programs\\Quillby Reader\t"), std::string::npos)
      << listed;
  EXPECT_NE(listed.find("Quillby Examples\tC:\\Quillby\\Examples\t"), std::string::npos) << listed;

  EXPECT_EQ(RunSetup({"--uninstall", "Quillby Reader"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(RunSetup({"--uninstall", "quillby examples"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Listing("c"), before);
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
