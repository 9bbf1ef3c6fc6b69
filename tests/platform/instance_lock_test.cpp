#include "platform/instance_lock_posix.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace setup {
namespace {

TEST(InstanceLockTest, OnlyOneHolderAtATime) {
  testing::TempDir dir;
  const std::string path = dir.Join("setup.lock");
  auto first = std::make_unique<PosixInstanceLock>(path);
  ASSERT_EQ(first->TryAcquire().value(), true);
  EXPECT_EQ(first->TryAcquire().value(), true);  // holding it already

  PosixInstanceLock second(path);
  EXPECT_EQ(second.TryAcquire().value(), false);
  first.reset();  // the first copy ends
  EXPECT_EQ(second.TryAcquire().value(), true);
}

TEST(InstanceLockTest, ReportsALockFileThatCannotBeCreated) {
  testing::TempDir dir;
  PosixInstanceLock lock(dir.Join("missing/setup.lock"));
  auto acquired = lock.TryAcquire();
  ASSERT_FALSE(acquired.ok());
  EXPECT_EQ(acquired.status().win_error(), WinError::FileNotFound);
}

}  // namespace
}  // namespace setup
