#include "platform/file_system_wrapper.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace setup {
namespace {

// A disk that fills up: every copy fails, everything else works.
class FullDisk : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  Status CopyFileTo(const std::string&, const std::string& to, bool) override {
    return Status::Error(WinError::DiskFull, to, "disk full");
  }
};

TEST(FileSystemWrapperTest, OverridesOneCallAndForwardsTheRest) {
  testing::MemoryFileSystem disk;
  disk.AddDrive('C', DriveType::Fixed);
  disk.AddFile("C:\\a.txt", "a");
  FullDisk fs(&disk);
  EXPECT_EQ(fs.CopyFileTo("C:\\a.txt", "C:\\b.txt", false).win_error(), WinError::DiskFull);
  EXPECT_TRUE(FileExists(fs, "C:\\A.TXT"));
  EXPECT_FALSE(FileExists(fs, "C:\\b.txt"));
  EXPECT_TRUE(fs.ChangeDirectory("C:\\").ok());
  EXPECT_EQ(fs.GetLogicalDrives(), 1u << 2);
}

}  // namespace
}  // namespace setup
