// What the temporary file refuses; committing and abandoning it are the contract suite's
// CreateForWrite and copy cases over the POSIX file system.

#include "platform/posix_temp_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace setup {
namespace {

TEST(PosixTempFileTest, RefusesToReplaceWhenToldNotToAndToGoWhereNoDirectoryIs) {
  testing::TempDir dir;
  dir.WriteFile("f", "old");
  {
    auto file = PosixTempFile::CreateBeside(dir.Join("f"), 0644);
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE(file->WriteAll("new", 3).ok());
    EXPECT_EQ(file->Commit(dir.Join("f"), true, false).win_error(), WinError::AlreadyExists);
  }
  EXPECT_EQ(dir.ReadFile("f"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_FALSE(PosixTempFile::CreateBeside(dir.Join("missing/f"), 0644).ok());
}

}  // namespace
}  // namespace setup
