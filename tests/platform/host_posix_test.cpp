#include "platform/host.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// Drive C is c/, the registry file registry.reg beside the profile.
class HostTest : public ::testing::Test {
 protected:
  HostTest() {
    temp_.MakeDir("c/Desktop");
    temp_.MakeDir("disc");
    temp_.WriteFile("profile.ini",
                    "[Drives]\nC = " + temp_.Join("c") +
                        ", fixed\n[System]\nRegistry = " + temp_.Join("registry.reg") + "\n");
  }

  Result<std::unique_ptr<Host>> Create(const std::string& start) {
    return CreateHost(temp_.Join("profile.ini"), temp_.Join(start));
  }

  TempDir temp_;
};

TEST_F(HostTest, StartsInTheStartDirectoryAsAWindowsPath) {
  temp_.MakeDir("c/Books/Disc");
  const struct {
    std::string start;
    std::string windows_path;
  } cases[] = {
      {"c/Books/Disc", "C:\\Books\\Disc"},  // under a mapped drive: that drive's path
      {"disc", "D:\\"},                     // elsewhere: the root of the first free letter
  };
  for (const auto& c : cases) {
    auto host = Create(c.start);
    ASSERT_TRUE(host.ok()) << host.status().ToString();
    EXPECT_EQ((*host)->start_dir(), c.windows_path) << c.start;
    EXPECT_EQ((*host)->file_system().CurrentDirectory(), c.windows_path) << c.start;
  }
}

TEST_F(HostTest, RefusesAStartDirectoryThatDoesNotExist) {
  auto host = Create("missing");
  ASSERT_FALSE(host.ok());
  EXPECT_EQ(host.status().win_error(), WinError::PathNotFound);
  EXPECT_EQ(host.status().path(), temp_.Join("missing"));
}

TEST_F(HostTest, SeedsOnlyANewRegistryWithTheUserFolders) {
  {
    auto host = Create("disc");
    ASSERT_TRUE(host.ok());
    // Nothing is written before the registry is used: a run may still stop before.
    EXPECT_FALSE(temp_.Exists("registry.reg"));
    ASSERT_NE((*host)->registry(), nullptr);
    EXPECT_TRUE(temp_.Exists("registry.reg"));
    EXPECT_EQ((*host)->registry()->QueryValue(SHELL_FOLDERS_KEY, "Desktop"), "C:\\Desktop");
    ASSERT_TRUE((*host)->registry()->SetValue(SHELL_FOLDERS_KEY, "Desktop", "C:\\Mine").ok());
  }
  auto again = Create("disc");
  ASSERT_TRUE(again.ok());
  EXPECT_EQ((*again)->registry()->QueryValue(SHELL_FOLDERS_KEY, "Desktop"), "C:\\Mine");
}

TEST_F(HostTest, RunsWithoutARegistryThatCannotBeOpened) {
  temp_.WriteFile("registry.reg", "not a registry\n");
  auto host = Create("disc");
  ASSERT_TRUE(host.ok()) << host.status().ToString();
  EXPECT_EQ((*host)->registry(), nullptr);
}

TEST_F(HostTest, WholeHostFilesKeepEveryByte) {
  auto host = Create("disc");
  ASSERT_TRUE(host.ok());
  const std::string bytes("line\r\n\0\xff end", 12);
  {
    auto out = (*host)->CreateOutputFile(temp_.Join("out.bin"));
    ASSERT_TRUE(out.ok());
    **out << bytes;
  }
  EXPECT_EQ((*host)->ReadWholeFile(temp_.Join("out.bin")).value(), bytes);
  EXPECT_FALSE((*host)->ReadWholeFile(temp_.Join("missing.ini")).ok());
  EXPECT_FALSE((*host)->CreateOutputFile(temp_.Join("missing/out.bin")).ok());
}

}  // namespace
}  // namespace setup
