// What the in-memory file system offers beyond the contract the shared suite checks: the
// drive's space and medium as a test sets them, repeatable times, and a write that finds its
// directory gone.

#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup::testing {
namespace {

TEST(MemoryFileSystemTest, SpaceAndMediumAreTheTestsToSet) {
  MemoryFileSystem fs;
  fs.AddDrive('A', DriveType::Removable);
  fs.AddFile("A:\\DISK1.TAG", "1");
  fs.SetDiskSpace('A', DiskSpace{1000, 1457664});
  auto space = fs.FreeSpaceOf("A:\\");
  ASSERT_TRUE(space.ok());
  EXPECT_EQ(space->free_bytes, 1000u);
  EXPECT_EQ(space->total_bytes, 1457664u);

  fs.RemoveMedium('A');
  EXPECT_EQ(fs.GetAttributes("A:\\DISK1.TAG").status().win_error(), WinError::NotReady);
  EXPECT_EQ(fs.GetLogicalDrives(), 1u);    // the drive stays
  fs.AddDrive('A', DriveType::Removable);  // another disk goes in
  EXPECT_TRUE(fs.FreeSpaceOf("A:\\").ok());
  EXPECT_FALSE(fs.Contains("A:\\DISK1.TAG"));
}

// The times a run of steps leaves, in order of the steps.
std::vector<FileTime> TimesOfARun() {
  MemoryFileSystem fs;
  fs.AddDrive('C', DriveType::Fixed);
  fs.AddFile("C:\\first.txt", "1");
  EXPECT_TRUE(fs.MakeDirectory("C:\\dir").ok());
  auto file = fs.CreateForWrite("C:\\dir\\second.txt");
  EXPECT_TRUE(file.ok() && (*file)->Commit().ok());
  std::vector<FileTime> times;
  for (const char* path : {"C:\\first.txt", "C:\\dir", "C:\\dir\\second.txt"}) {
    times.push_back(fs.GetFileInfo(path)->last_write_time);
  }
  return times;
}

TEST(MemoryFileSystemTest, TimesMoveOnAndRepeatFromRunToRun) {
  const std::vector<FileTime> times = TimesOfARun();
  EXPECT_LT(times[0], times[1]);
  EXPECT_LT(times[1], times[2]);
  EXPECT_EQ(TimesOfARun(), times);
}

TEST(MemoryFileSystemTest, CommitFindsWhatHappenedMeanwhile) {
  MemoryFileSystem fs;
  fs.AddDrive('C', DriveType::Fixed);
  fs.AddDirectory("C:\\gone");
  fs.AddDirectory("C:\\dir");
  auto orphan = fs.CreateForWrite("C:\\gone\\f.txt");
  auto shadowed = fs.CreateForWrite("C:\\dir\\f.txt");
  ASSERT_TRUE(orphan.ok() && shadowed.ok());
  fs.Remove("C:\\gone");
  fs.AddDirectory("C:\\dir\\F.TXT");
  EXPECT_EQ((*orphan)->Commit().win_error(), WinError::PathNotFound);
  EXPECT_EQ((*shadowed)->Commit().win_error(), WinError::AccessDenied);
  EXPECT_FALSE(fs.Contains("C:\\gone"));
  EXPECT_TRUE(fs.GetFileInfo("C:\\dir\\f.txt")->IsDirectory());
}

}  // namespace
}  // namespace setup::testing
