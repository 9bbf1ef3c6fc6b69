#include "platform/shell_folder_seed.h"

#include <gtest/gtest.h>

#include "platform/registry_file.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

class ShellFolderSeedTest : public ::testing::Test {
 protected:
  ShellFolderSeedTest() { drives_.Map('C', dir_.MakeDir("home"), DriveType::Fixed); }

  RegistryFile Seed() {
    auto store = RegistryFile::Open(dir_.Join("registry.reg"));
    EXPECT_TRUE(store.ok());
    EXPECT_TRUE(SeedShellFolders(*store, drives_).ok());
    return std::move(store).value();
  }

  TempDir dir_;
  DriveMap drives_;
};

TEST_F(ShellFolderSeedTest, DefaultsWithoutUserDirs) {
  RegistryFile store = Seed();
  struct Case {
    const char* value;
    const char* path;
  } cases[] = {
      {"Desktop", "C:\\Desktop"},
      {"Personal", "C:\\Documents"},
      {"My Pictures", "C:\\Pictures"},
      {"Favorites", "C:\\.local\\share\\setup\\Favorites"},
      {"Start Menu", "C:\\.local\\share\\setup\\Start Menu"},
      {"Programs", "C:\\.local\\share\\setup\\Start Menu\\Programs"},
  };
  for (const auto& c : cases) EXPECT_EQ(store.QueryValue(SHELL_FOLDERS_KEY, c.value), c.path);
}

TEST_F(ShellFolderSeedTest, FollowsXdgUserDirsUnderDriveC) {
  dir_.WriteFile("home/.config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\n"
                 "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                 "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/\xC3\x9C"
                 "bungen\"\n"
                 "XDG_PICTURES_DIR=\"/srv/pictures\"\n");
  RegistryFile store = Seed();
  EXPECT_EQ(store.QueryValue(SHELL_FOLDERS_KEY, "Desktop"), "C:\\Schreibtisch");
  EXPECT_EQ(store.QueryValue(SHELL_FOLDERS_KEY, "Personal"),
            "C:\\Dokumente\\\xDC"
            "bungen");
  // Outside C: no value, so the slot stays empty as on a system without it.
  EXPECT_EQ(store.QueryValue(SHELL_FOLDERS_KEY, "My Pictures"), std::nullopt);
}

TEST_F(ShellFolderSeedTest, NothingWithoutDriveC) {
  DriveMap none;
  auto store = RegistryFile::Open(dir_.Join("registry.reg"));
  ASSERT_TRUE(store.ok());
  EXPECT_TRUE(SeedShellFolders(*store, none).ok());
  EXPECT_FALSE(store->KeyExists(SHELL_FOLDERS_KEY));
}

}  // namespace
}  // namespace setup
