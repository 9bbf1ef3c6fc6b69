#include "platform/instance_lock_posix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/scoped_env.h"
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

TEST(InstanceLockTest, ASymbolicLinkOrADirectoryIsNotTakenAsTheLockFile) {
  testing::TempDir dir;
  dir.WriteFile("target", "");
  std::filesystem::create_symlink(dir.Join("target"), dir.Join("link.lock"));
  dir.MakeDir("dir.lock");
  for (const char* name : {"link.lock", "dir.lock"}) {
    PosixInstanceLock lock(dir.Join(name));
    EXPECT_FALSE(lock.TryAcquire().ok()) << name;
  }
}

TEST(InstanceLockTest, ANewLockFileIsPrivate) {
  testing::TempDir dir;
  PosixInstanceLock lock(dir.Join("setup.lock"));
  ASSERT_EQ(lock.TryAcquire().value(), true);
  struct stat info {};
  ASSERT_EQ(stat(dir.Join("setup.lock").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(InstanceLockTest, OneLockFilePerUserWhateverTmpdir) {
  struct Case {
    const char* runtime_dir;
    const char* tmpdir;
    std::string expected;
  };
  const std::string fallback = "/tmp/setup-" + std::to_string(getuid()) + ".lock";
  const std::vector<Case> cases = {
      {"/run/user/7", "/tmp/a", "/run/user/7/setup.lock"},
      {nullptr, nullptr, fallback},
      {"", "/tmp/a", fallback},
      {"relative", "/tmp/a", fallback},
  };
  for (const Case& c : cases) {
    testing::ScopedEnv runtime("XDG_RUNTIME_DIR", c.runtime_dir);
    testing::ScopedEnv tmp("TMPDIR", c.tmpdir);
    EXPECT_EQ(InstanceLockPath(), c.expected)
        << (c.runtime_dir ? c.runtime_dir : "(unset)") << " " << (c.tmpdir ? c.tmpdir : "(unset)");
  }
}

}  // namespace
}  // namespace setup
