#include "app/run_script_mode.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/front_end.h"
#include "platform/host_wrapper.h"
#include "platform/registry.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "support/temp_drives.h"

namespace setup {
namespace {

using testing::RecordingMessageBox;
using testing::TempDir;

// The sample disc as D:, drive C with a Desktop and a Programs folder in the registry.
class RunScriptModeTest : public ::testing::Test {
 protected:
  RunScriptModeTest() {
    std::filesystem::copy(std::string(SETUP_SOURCE_DIR) + "/examples/sample_disc",
                          temp_.Join("disc"), std::filesystem::copy_options::recursive);
    temp_.MakeDir("c/Desktop");
    temp_.MakeDir("c/Programs");
    testing::WriteHostProfile(temp_, {{"Desktop", "C:\\Desktop"}, {"Programs", "C:\\Programs"}});
  }

  // The host of the profile, recording RENAME's pauses instead of sleeping.
  class PausesRecorded : public HostWrapper {
   public:
    PausesRecorded(Host* target, std::vector<int>& pauses) : HostWrapper(target), pauses_(pauses) {}
    void Sleep(int milliseconds) override { pauses_.push_back(milliseconds); }

   private:
    std::vector<int>& pauses_;
  };

  int Run(const std::string& script, int section) {
    auto host = CreateHost(temp_.Join("profile.ini"), temp_.Join("disc"));
    EXPECT_TRUE(host.ok()) << host.status().ToString();
    if (!host.ok()) return -1;
    PausesRecorded recorded(host->get(), pauses_);
    return RunScriptMode(recorded, messages_, script, section);
  }

  // Whether the host takes its shell folders from the profile's registry; the Windows host
  // reads the system's own.
  bool ProfileFoldersApply() {
    auto host = CreateHost(temp_.Join("profile.ini"), temp_.Join("disc"));
    Registry* registry = host.ok() ? (*host)->registry() : nullptr;
    return registry && registry->QueryValue(SHELL_FOLDERS_KEY, "Desktop") == "C:\\Desktop";
  }

  TempDir temp_;
  RecordingMessageBox messages_;
  std::vector<int> pauses_;
};

TEST_F(RunScriptModeTest, RenameIsAnsweredCancel) {
  temp_.WriteFile("disc/R.SCR", "RENAME A.TXT B.TXT\r\nMD C:\\After\r\n");
  temp_.WriteFile("disc/A.TXT", "a");
  temp_.WriteFile("disc/B.TXT", "b");
  // The recording service answers with the default button, Retry; the run must cancel.
  EXPECT_EQ(Run("R.SCR", 3), EXIT_FINISHED);
  EXPECT_EQ(pauses_.size(), 11u);
  ASSERT_EQ(messages_.shown().size(), 1u);
  EXPECT_EQ(messages_.shown()[0].buttons, MessageBoxButtons::RetryCancel);
  EXPECT_TRUE(temp_.Exists("c/After"));
}

TEST_F(RunScriptModeTest, AHostFileWinsOverTheDiscsFileOfTheSameName) {
  if (!ProfileFoldersApply()) {
    GTEST_SKIP() << "the host's shell folders are the system's, not the profile's";
  }
  temp_.WriteFile("disc/S.SCR", "MD C:\\FromDisc\r\n");
  temp_.WriteFile("host/S.SCR", "MD C:\\FromHost\r\nMD \"%INSTALLPATH%\\Extra\"\n");
  EXPECT_EQ(Run(temp_.Join("host/S.SCR"), 1), EXIT_FINISHED);
  EXPECT_TRUE(temp_.Exists("c/FromHost"));
  EXPECT_TRUE(temp_.Exists("c/Programs/Quillby Reader/Extra"));
  EXPECT_FALSE(temp_.Exists("c/FromDisc"));
  // A path that names no host file is the disc's.
  EXPECT_EQ(Run("S.SCR", 1), EXIT_FINISHED);
  EXPECT_TRUE(temp_.Exists("c/FromDisc"));
  EXPECT_TRUE(messages_.texts().empty());
}

TEST_F(RunScriptModeTest, AMissingSectionIsAUsageError) {
  EXPECT_EQ(Run("SCRIPTS\\EXAMPLES.TXT", 4), EXIT_USAGE);
  EXPECT_EQ(Run("SCRIPTS\\EXAMPLES.TXT", 0), EXIT_USAGE);
}

TEST_F(RunScriptModeTest, AMissingScriptIsReported) {
  EXPECT_EQ(Run("NOSUCH.SCR", 1), EXIT_FINISHED);
  EXPECT_EQ(messages_.texts(), std::vector<std::string>{"Couldn't find script file NOSUCH.SCR."});
}

}  // namespace
}  // namespace setup
