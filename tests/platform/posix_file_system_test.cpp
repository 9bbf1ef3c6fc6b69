// What the POSIX file system does on the host beyond the contract every implementation
// keeps: permission bits, host errors in the middle of a copy, moves between host file systems.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/posix_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// Drive C is <tmp>/c, and current.
class PosixFileSystemHost : public ::testing::Test {
 protected:
  PosixFileSystemHost() {
    DriveMap drives;
    drives.Map('C', dir_.MakeDir("c"), DriveType::Fixed);
    fs_ = std::make_unique<PosixFileSystem>(drives, CodePage(), "C:\\");
  }

  void Write(const std::string& relative, const std::string& contents) {
    dir_.WriteFile("c/" + relative, contents);
  }
  std::string Read(const std::string& relative) { return dir_.ReadFile("c/" + relative); }
  // Drive C again, and `letter` mapped onto `host_root`.
  void MapAlso(char letter, const std::string& host_root, DriveType type = DriveType::Fixed) {
    DriveMap drives;
    drives.Map('C', dir_.Join("c"), DriveType::Fixed);
    drives.Map(letter, host_root, type);
    fs_ = std::make_unique<PosixFileSystem>(drives, CodePage(), "C:\\");
  }
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    auto found = fs_->FindFiles(pattern);
    if (found.ok()) {
      for (const auto& entry : *found) names.push_back(entry.name);
    }
    return names;
  }

  TempDir dir_;
  std::unique_ptr<PosixFileSystem> fs_;
};

TEST_F(PosixFileSystemHost, ReadOnlyIsTheAbsenceOfWritePermission) {
  const std::string host = dir_.Join("c/f.txt");
  Write("f.txt", "x");
  ASSERT_EQ(chmod(host.c_str(), 0664), 0);
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", ATTRIB_READONLY).ok());
  struct stat info {};
  ASSERT_EQ(stat(host.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0444u);
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", 0).ok());
  ASSERT_EQ(stat(host.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(PosixFileSystemHost, FailedCopyLeavesTheOldFileIntact) {
  // Reading /proc/self/mem from offset 0 fails with an I/O error: a source that breaks
  // in the middle of the copy.
  MapAlso('P', "/proc/self");
  if (!fs_->OpenForRead("P:\\mem").ok()) GTEST_SKIP() << "no /proc/self/mem";
  Write("dst.txt", "old contents");
  Status status = fs_->CopyFileTo("P:\\mem", "C:\\dst.txt", false);
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.path(), "P:\\mem");
  EXPECT_EQ(Read("dst.txt"), "old contents");
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"dst.txt"});  // no temporary left
  EXPECT_FALSE(fs_->CopyFileTo("P:\\mem", "C:\\new.txt", false).ok());
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"dst.txt"});  // no part of a new one
}

// A folder lists "." and ".." first, then its names without regard to case in the code page's
// byte order (bytes from 0x80 after ASCII), names equal but for case in byte order.
TEST_F(PosixFileSystemHost, ListsNamesWithoutRegardToCaseInByteOrder) {
  for (const char* name : {"b", "A", "\xC3\xA9", "a", "C", "_x", "Z"})
    Write(std::string("d/") + name, "");
  ASSERT_TRUE(fs_->MakeDirectory("C:\\d\\Sub").ok());
  EXPECT_EQ(Names("C:\\d\\*.*"),
            (std::vector<std::string>{".", "..", "A", "a", "b", "C", "Sub", "Z", "_x", "\xE9"}));
}

// A folder the walk has listed is current again without a look at the disk, but only while
// it is there: one removed since is not.
TEST_F(PosixFileSystemHost, ChangesBackToAListedFolderOnlyWhileItIsThere) {
  Write("d/e/f.txt", "x");
  ASSERT_EQ(Names("C:\\d\\e\\*.*"), (std::vector<std::string>{".", "..", "f.txt"}));
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\d\\e").ok());
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\").ok());
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\d\\e").ok());
  EXPECT_EQ(fs_->CurrentDirectory(), "C:\\d\\e");
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\").ok());
  ASSERT_TRUE(fs_->RemoveFile("C:\\d\\e\\f.txt").ok());
  ASSERT_TRUE(fs_->RemoveEntry("C:\\d\\e").ok());
  EXPECT_FALSE(fs_->ChangeDirectory("C:\\d\\e").ok());
  EXPECT_EQ(fs_->CurrentDirectory(), "C:\\");
}

// A folder entered is opened for the listing that follows, which lists what is there when
// it is listed, also after the folder was removed and made again.
TEST_F(PosixFileSystemHost, AFolderEnteredListsWhatIsThereWhenListed) {
  Write("d/e/a.txt", "x");
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\d").ok());
  ASSERT_TRUE(fs_->ChangeDirectory("e").ok());
  ASSERT_TRUE(fs_->RemoveFile("C:\\d\\e\\a.txt").ok());
  ASSERT_TRUE(fs_->RemoveEntry("C:\\d\\e").ok());
  ASSERT_TRUE(fs_->MakeDirectory("C:\\d\\e").ok());
  Write("d/e/b.txt", "y");
  EXPECT_EQ(Names("*.*"), (std::vector<std::string>{".", "..", "b.txt"}));
}

// A directory the caller knows is new is made without looking for it first, yet wherever that
// knowledge is wrong (the name exists as spelt, or its directory is spelt otherwise on the
// disk) it ends as the ordinary call does.
TEST_F(PosixFileSystemHost, MakingANewDirectoryEndsAsTheOrdinaryCall) {
  Write("out/old.txt", "old");
  dir_.MakeDir("c/out/dir");
  const std::pair<const char*, WinError> cases[] = {
      {"C:\\OUT\\fresh", WinError::Success},
      {"C:\\out\\dir", WinError::AlreadyExists},
      {"C:\\out\\old.txt\\x", WinError::PathNotFound},
  };
  for (const auto& [path, expected] : cases) {
    EXPECT_EQ(fs_->MakeNewDirectory(path).win_error(), expected) << path;
  }
  EXPECT_EQ(Names("C:\\out\\*.*"),
            (std::vector<std::string>{".", "..", "dir", "fresh", "old.txt"}));
}

// A TempDir on another host file system, or nullptr when there is none to use.
std::unique_ptr<TempDir> TempDirOnAnotherFileSystem(const TempDir& here) {
  struct stat shm {};
  struct stat tmp {};
  if (stat("/dev/shm", &shm) != 0 || stat(here.path().c_str(), &tmp) != 0 ||
      shm.st_dev == tmp.st_dev || access("/dev/shm", W_OK) != 0) {
    return nullptr;
  }
  const char* old = std::getenv("TMPDIR");
  const std::string saved = old ? old : "";
  setenv("TMPDIR", "/dev/shm", 1);
  auto dir = std::make_unique<TempDir>();
  if (old) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  return dir;
}

TEST_F(PosixFileSystemHost, MovesFilesButNotDirectoriesBetweenHostFileSystems) {
  auto other = TempDirOnAnotherFileSystem(dir_);
  if (!other) GTEST_SKIP() << "no second host file system";
  MapAlso('R', other->path(), DriveType::RamDisk);
  Write("f.txt", "moved");
  Write("dir/g.txt", "stays");
  Write("ro.txt", "read-only");
  other->WriteFile("taken.txt", "taken");
  ASSERT_TRUE(fs_->SetAttributes("C:\\ro.txt", ATTRIB_READONLY).ok());

  ASSERT_TRUE(fs_->RenameFile("C:\\f.txt", "R:\\f.txt").ok());
  EXPECT_EQ(other->ReadFile("f.txt"), "moved");
  EXPECT_FALSE(dir_.Exists("c/f.txt"));
  ASSERT_TRUE(fs_->RenameFile("C:\\ro.txt", "R:\\ro.txt").ok());
  EXPECT_EQ(*fs_->GetAttributes("R:\\ro.txt") & ATTRIB_READONLY, ATTRIB_READONLY);
  EXPECT_EQ(fs_->RenameFile("C:\\dir", "R:\\dir").win_error(), WinError::NotSameDevice);
  EXPECT_EQ(Read("dir/g.txt"), "stays");
  Write("h.txt", "h");
  EXPECT_EQ(fs_->RenameFile("C:\\h.txt", "R:\\TAKEN.TXT").win_error(), WinError::AlreadyExists);
  EXPECT_EQ(other->ReadFile("taken.txt"), "taken");
  EXPECT_EQ(Read("h.txt"), "h");
}

// Files that are not plain files are never read: a pipe without a writer would block the
// copy for ever, a device like /dev/zero would never end.
TEST_F(PosixFileSystemHost, SpecialFilesAreNeverCopied) {
  ASSERT_EQ(mkfifo(dir_.Join("c/pipe").c_str(), 0644), 0);
  MapAlso('V', "/dev");
  for (const char* special : {"C:\\pipe", "V:\\zero", "V:\\null"}) {
    EXPECT_EQ(fs_->CopyFileTo(special, "C:\\copy", false).win_error(), WinError::AccessDenied)
        << special;
    EXPECT_EQ(fs_->OpenForRead(special).status().win_error(), WinError::AccessDenied) << special;
  }
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"pipe"});
}

// A host file that gives fewer bytes than its status said when opened (a file that shrank
// while it was copied; sysfs files all report 4096 bytes) is not a copy.
TEST_F(PosixFileSystemHost, ASourceShorterThanWhenOpenedIsNotCopied) {
  const std::string sys_dir = "/sys/devices/system/cpu";
  struct stat info {};
  if (stat((sys_dir + "/online").c_str(), &info) != 0 || info.st_size == 0) {
    GTEST_SKIP() << "no sysfs file that reports more than it holds";
  }
  MapAlso('S', sys_dir);
  const Status status = fs_->CopyFileTo("S:\\online", "C:\\online", false);
  EXPECT_EQ(status.win_error(), WinError::HandleEof);
  EXPECT_TRUE(Names("C:\\*.*").empty());  // neither a short file nor a temporary
}

// Links are followed only as far as the mapped drives reach: one leading off them fails like
// a path through a missing directory, for reading and writing alike.
TEST_F(PosixFileSystemHost, LinksOffTheDrivesAreNotFollowed) {
  dir_.WriteFile("outside/secret.txt", "secret");
  dir_.WriteFile("d/other.txt", "on D");
  Write("sub/inner.txt", "inner");
  ASSERT_EQ(symlink(dir_.Join("outside").c_str(), dir_.Join("c/out").c_str()), 0);
  ASSERT_EQ(symlink(dir_.Join("outside/secret.txt").c_str(), dir_.Join("c/secret.txt").c_str()), 0);
  ASSERT_EQ(symlink(dir_.Join("outside/none").c_str(), dir_.Join("c/dangling").c_str()), 0);
  ASSERT_EQ(symlink("sub", dir_.Join("c/near").c_str()), 0);
  ASSERT_EQ(symlink(dir_.Join("d").c_str(), dir_.Join("c/to_d").c_str()), 0);
  MapAlso('D', dir_.Join("d"));

  const struct {
    const char* what;
    std::function<Status()> call;
    WinError expected;
  } cases[] = {
      {"attributes through a directory link",
       [&] { return fs_->GetAttributes("C:\\out\\secret.txt").status(); }, WinError::PathNotFound},
      {"list", [&] { return fs_->FindFiles("C:\\out\\*.*").status(); }, WinError::PathNotFound},
      {"enter", [&] { return fs_->ChangeDirectory("C:\\out"); }, WinError::PathNotFound},
      {"read", [&] { return fs_->OpenForRead("C:\\secret.txt").status(); }, WinError::PathNotFound},
      {"copy from", [&] { return fs_->CopyFileTo("C:\\secret.txt", "C:\\copy.txt", false); },
       WinError::PathNotFound},
      {"copy into",
       [&] { return fs_->CopyFileTo("C:\\sub\\inner.txt", "C:\\out\\new.txt", false); },
       WinError::PathNotFound},
      {"copy new into", [&] { return fs_->CopyNewFile("C:\\sub\\inner.txt", "C:\\out\\new.txt"); },
       WinError::PathNotFound},
      {"write into", [&] { return fs_->CreateForWrite("C:\\out\\new.txt").status(); },
       WinError::PathNotFound},
      {"write a dangling link", [&] { return fs_->CreateForWrite("C:\\dangling").status(); },
       WinError::PathNotFound},
      {"make a directory", [&] { return fs_->MakeDirectory("C:\\out\\new"); },
       WinError::PathNotFound},
      {"make a new directory", [&] { return fs_->MakeNewDirectory("C:\\out\\new"); },
       WinError::PathNotFound},
      {"set attributes", [&] { return fs_->SetAttributes("C:\\secret.txt", ATTRIB_READONLY); },
       WinError::PathNotFound},
      {"within the drive", [&] { return fs_->GetAttributes("C:\\near\\inner.txt").status(); },
       WinError::Success},
      {"to another drive",
       [&] { return fs_->CopyFileTo("C:\\to_d\\other.txt", "C:\\to_d\\copy.txt", false); },
       WinError::Success},
  };
  for (const auto& c : cases) EXPECT_EQ(c.call().win_error(), c.expected) << c.what;
  EXPECT_EQ(dir_.ReadFile("outside/secret.txt"), "secret");
  EXPECT_FALSE(dir_.Exists("outside/new.txt"));
  EXPECT_FALSE(dir_.Exists("outside/new"));
  EXPECT_FALSE(dir_.Exists("outside/none"));
  EXPECT_FALSE(dir_.Exists("c/copy.txt"));
  EXPECT_EQ(dir_.ReadFile("d/copy.txt"), "on D");
  struct stat info {};
  ASSERT_EQ(stat(dir_.Join("outside/secret.txt").c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IWUSR, 0u);
}

}  // namespace
}  // namespace setup
