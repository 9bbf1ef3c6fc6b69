#include "platform/file_system_wrapper.h"

#include <gtest/gtest.h>

#include "platform/posix_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

// A disk that fills up: every copy fails, everything else works.
class FullDisk : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  Status CopyFile(const std::string&, const std::string& to, bool) override {
    return Status::Error(WinError::DiskFull, to, "disk full");
  }
};

TEST(FileSystemWrapperTest, OverridesOneCallAndForwardsTheRest) {
  testing::TempDir dir;
  dir.WriteFile("c/a.txt", "a");
  DriveMap drives;
  drives.Map('C', dir.Join("c"), DriveType::Fixed);
  PosixFileSystem posix(drives, CodePage(), "C:\\");
  FullDisk fs(&posix);
  EXPECT_EQ(fs.CopyFile("C:\\a.txt", "C:\\b.txt", false).win_error(), WinError::DiskFull);
  EXPECT_TRUE(FileExists(fs, "C:\\A.TXT"));
  EXPECT_FALSE(FileExists(fs, "C:\\b.txt"));
  EXPECT_TRUE(fs.SetCurrentDirectory("C:\\").ok());
  EXPECT_EQ(fs.GetLogicalDrives(), 1u << 2);
}

}  // namespace
}  // namespace setup
