// A copy whose source is a name in the current folder gives the same result whether or not
// that folder was just listed (and so is held open): the name's spelling on the disk, its
// stored form, links leading off the drives and refused names are all as anywhere else.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/posix_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

struct Case {
  const char* from;
  WinError error;        // Success when the copy is made
  const char* contents;  // of the copy
};

class CopyFromCurrentFolder : public ::testing::TestWithParam<bool> {
 protected:
  // Drive C is <tmp>/c, with the folder Src current; <tmp>/outside lies off the drives.
  CopyFromCurrentFolder() {
    dir_.WriteFile("c/Src/a.txt", "a");
    dir_.WriteFile("c/Src/Mixed.Txt", "mixed");
    dir_.WriteFile("c/Src/sub/b.txt", "b");
    dir_.WriteFile("c/Other/in.txt", "inside");
    dir_.WriteFile("outside/o.txt", "outside");
    links_ =
        dir_.Link("c/Src/off.txt", "outside/o.txt") && dir_.Link("c/Src/on.txt", "c/Other/in.txt");
    DriveMap drives;
    drives.Map('C', dir_.Join("c"), DriveType::Fixed);
    fs_ = std::make_unique<PosixFileSystem>(drives, CodePage(), "C:\\");
    EXPECT_TRUE(fs_->MakeDirectory("C:\\Dst").ok());
    EXPECT_TRUE(fs_->ChangeDirectory("C:\\Src").ok());
    // As the section copy does before it copies the folder's files.
    if (GetParam()) {
      EXPECT_TRUE(fs_->FindFilesWithoutDots("*.*").ok());
    }
  }

  void Check(const Case& c) {
    const std::string to = std::string("C:\\Dst\\") + c.from;
    const Status status = fs_->CopyPlainFile(c.from, to, true);
    EXPECT_EQ(status.win_error(), c.error) << c.from;
    if (c.error != WinError::Success) return;
    std::string copied = c.from;
    while (copied.back() == '.') copied.pop_back();
    EXPECT_EQ(dir_.ReadFile("c/Dst/" + copied), c.contents) << c.from;
  }

  TempDir dir_;
  bool links_ = false;
  std::unique_ptr<PosixFileSystem> fs_;
};

TEST_P(CopyFromCurrentFolder, FindsTheNameAsAnyPathWould) {
  const Case cases[] = {
      {"a.txt", WinError::Success, "a"},
      {"A.TXT", WinError::Success, "a"},          // spelt otherwise on the disk
      {"mixed.txt", WinError::Success, "mixed"},  // likewise
      {"a.txt..", WinError::Success, "a"},        // stored without trailing dots
      {"none.txt", WinError::FileNotFound, ""},   // missing
      {"CON", WinError::InvalidName, ""},         // a device's name
      {"a?.txt", WinError::InvalidName, ""},      // a character no name holds
      {"sub", WinError::AccessDenied, ""},        // a folder
  };
  for (const Case& c : cases) Check(c);
  // A name below the current folder is no bare name.
  EXPECT_TRUE(fs_->CopyPlainFile("sub\\b.txt", "C:\\Dst\\b.txt", true).ok());
  EXPECT_EQ(dir_.ReadFile("c/Dst/b.txt"), "b");
}

TEST_P(CopyFromCurrentFolder, FollowsALinkOnlyWhereItStaysOnTheDrives) {
  if (!links_) GTEST_SKIP() << "the host makes no symbolic links";
  const Case cases[] = {
      {"on.txt", WinError::Success, "inside"},
      {"off.txt", WinError::PathNotFound, ""},
  };
  for (const Case& c : cases) Check(c);
  EXPECT_FALSE(dir_.Exists("c/Dst/off.txt"));
}

INSTANTIATE_TEST_SUITE_P(ListedOrNot, CopyFromCurrentFolder, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Listed") : std::string("NotListed");
                         });

}  // namespace
}  // namespace setup
