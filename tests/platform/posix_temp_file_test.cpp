#include "platform/posix_temp_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

std::vector<std::string> NamesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(PosixTempFileTest, CommitsUnderTheFinalNameOnly) {
  struct Case {
    const char* what;
    bool existing;
    bool no_replace;
    bool sync;
    WinError expected;
    const char* contents;  // of "f" afterwards
  } cases[] = {
      {"new", false, true, false, WinError::Success, "new"},
      {"new, may replace", false, false, false, WinError::Success, "new"},
      {"replaces", true, false, true, WinError::Success, "new"},
      {"refuses to replace", true, true, false, WinError::AlreadyExists, "old"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.existing) dir.WriteFile("f", "old");
    auto file = PosixTempFile::CreateBeside(dir.Join("f"), 0644);
    ASSERT_TRUE(file.ok()) << c.what;
    ASSERT_TRUE(file->WriteAll("new", 3).ok()) << c.what;
    EXPECT_EQ(dir.ReadFile("f"), c.existing ? "old" : "<missing>") << c.what;
    EXPECT_EQ(file->Commit(dir.Join("f"), c.no_replace, c.sync).win_error(), c.expected) << c.what;
    EXPECT_EQ(dir.ReadFile("f"), c.contents) << c.what;
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{"f"}) << c.what;
  }
}

TEST(PosixTempFileTest, AnUncommittedFileLeavesNothing) {
  TempDir dir;
  {
    auto file = PosixTempFile::CreateBeside(dir.Join("f"), 0644);
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE(file->WriteAll("abandoned", 9).ok());
    // Until committed, nothing is seen under the destination's name.
    EXPECT_EQ(dir.ReadFile("f"), "<missing>");
  }
  EXPECT_TRUE(NamesIn(dir.path()).empty());
  EXPECT_FALSE(PosixTempFile::CreateBeside(dir.Join("missing/f"), 0644).ok());
}

}  // namespace
}  // namespace setup
