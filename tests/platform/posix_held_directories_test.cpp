// The held directories: which ones are held, and that the file system never reaches a
// directory through a descriptor once its path may name another one.

#include "platform/posix_held_directories.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/posix_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// Whether `handle` is open on the directory at host path `path`.
bool IsOpenOn(const PosixHeldDirectories::Handle& handle, const std::string& path) {
  struct stat held {};
  struct stat named {};
  return handle && fstat(handle->fd(), &held) == 0 && stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

TEST(PosixHeldDirectories, TheLeastRecentlyUsedGoesFirstAndForgetAllClosesAll) {
  TempDir dir;
  std::vector<std::string> paths;
  for (const char* name : {"a", "a/sub", "b", "c"}) paths.push_back(dir.MakeDir(name));
  PosixHeldDirectories held(3);
  held.Hold(paths[0], open(paths[0].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Opened from its held parent.
  held.FindOrOpenOnReuse(paths[1]);
  EXPECT_TRUE(IsOpenOn(held.FindOrOpenOnReuse(paths[1]), paths[1]));
  held.Hold(paths[2], open(paths[2].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  EXPECT_NE(held.Find(paths[0]), nullptr);
  held.Hold(paths[3], open(paths[3].c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  EXPECT_EQ(held.Find(paths[1]), nullptr);
  for (size_t i : {0, 2, 3}) EXPECT_TRUE(IsOpenOn(held.Find(paths[i]), paths[i])) << paths[i];
  // A handle in use stays open after the directory is forgotten.
  const PosixHeldDirectories::Handle in_use = held.Find(paths[0]);
  held.ForgetAll();
  for (const std::string& path : paths) EXPECT_EQ(held.Find(path), nullptr) << path;
  EXPECT_TRUE(IsOpenOn(in_use, paths[0]));
  EXPECT_EQ(held.FindOrOpenOnReuse(paths[0]), nullptr);
}

// After each way this process can put another directory where a held one was, reads and
// writes under that path reach the new directory.
TEST(PosixHeldDirectories, NothingReachesADirectoryWhosePathWasTakenOver) {
  const struct {
    const char* name;
    std::function<Status(PosixFileSystem&)> take_over;
  } cases[] = {
      {"renamed away",
       [](PosixFileSystem& fs) {
         Status moved = fs.RenameFile("C:\\Book", "C:\\Old");
         return moved.ok() ? fs.MakeDirectory("C:\\Book") : moved;
       }},
      {"removed",
       [](PosixFileSystem& fs) {
         for (const char* name : {"C:\\Book\\a.txt", "C:\\Book\\b.txt", "C:\\Book\\only.txt"}) {
           fs.RemoveEntry(name);
         }
         Status removed = fs.RemoveEntry("C:\\Book");
         return removed.ok() ? fs.MakeDirectory("C:\\Book") : removed;
       }},
  };
  for (const auto& c : cases) {
    TempDir dir;
    dir.WriteFile("c/src.txt", "new");
    dir.WriteFile("c/Book/only.txt", "old");
    DriveMap drives;
    drives.Map('C', dir.Join("c"), DriveType::Fixed);
    PosixFileSystem fs(drives, CodePage(), "C:\\");
    // The walk's ways of holding the directory: listing it and writing into it.
    ASSERT_TRUE(fs.FindFiles("C:\\Book\\*.*").ok()) << c.name;
    ASSERT_TRUE(fs.CopyNewFile("C:\\src.txt", "C:\\Book\\a.txt").ok()) << c.name;
    ASSERT_TRUE(fs.CopyNewFile("C:\\src.txt", "C:\\Book\\b.txt").ok()) << c.name;
    ASSERT_TRUE(c.take_over(fs).ok()) << c.name;
    dir.WriteFile("c/Book/there.txt", "newer");

    EXPECT_EQ(fs.GetAttributes("C:\\Book\\only.txt").status().win_error(), WinError::FileNotFound)
        << c.name;
    auto there = ReadFileContents(fs, "C:\\Book\\there.txt", 100);
    ASSERT_TRUE(there.ok()) << c.name;
    EXPECT_EQ(*there, "newer") << c.name;
    EXPECT_TRUE(fs.CopyNewFile("C:\\src.txt", "C:\\Book\\c.txt").ok()) << c.name;
    EXPECT_TRUE(fs.CopyNewFile("C:\\src.txt", "C:\\Book\\d.txt").ok()) << c.name;
    EXPECT_TRUE(fs.MakeNewDirectory("C:\\Book\\Sub").ok()) << c.name;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Join("c/Book"))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Sub", "c.txt", "d.txt", "there.txt"})) << c.name;
  }
}

}  // namespace
}  // namespace setup
