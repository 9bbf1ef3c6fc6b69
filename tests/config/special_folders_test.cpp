#include "config/special_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_file.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

struct ShellValue {
  const char* name;
  int slot;
  const char* path;
};

const ShellValue SHELL_VALUES[] = {
    {"Favorites", FOLDER_FAVORITES, "C:\\Users\\ann\\Favorites"},
    {"Personal", FOLDER_PERSONAL, "C:\\Users\\ann\\Documents"},
    {"My Pictures", FOLDER_MYPICTURES, "C:\\Users\\ann\\Pictures"},
    {"Desktop", FOLDER_DESKTOP, "C:\\Users\\ann\\Desktop"},
    {"Start Menu", FOLDER_STARTMENU, "C:\\Users\\ann\\Start Menu"},
    {"Programs", FOLDER_PROGRAMS, "C:\\Users\\ann\\Start Menu\\Programs"},
};

HostSystem System() {
  HostSystem system;
  system.windows_dir = "C:\\WINDOWS";
  system.system_dir = "C:\\WINDOWS\\SYSTEM";
  system.module_file = "/media/disc/setup";
  return system;
}

// One case leaves out one Shell Folders value (or none, or the whole key).
struct FolderCase {
  const char* name;
  const char* left_out;  // a value name, "" for none
  bool key_missing;
};

// Named after the program file, since no window exists yet to name it.
const ConfigFinding NO_REGISTRY{
    "/media/disc/setup", "Couldn't open the registry.", "", 0, SHELL_FOLDERS_KEY, ""};

class SpecialFoldersTest : public ::testing::TestWithParam<FolderCase> {
 protected:
  TempDir dir;
  std::vector<ConfigFinding> findings;
};

TEST_P(SpecialFoldersTest, FillsTheSlotsThatCanBeRead) {
  auto registry = RegistryFile::Open(dir.Join("registry.reg"));
  ASSERT_TRUE(registry.ok());
  ASSERT_TRUE(registry->SetValue(UNINSTALL_KEY, "Other", "x").ok());
  if (!GetParam().key_missing) {
    for (const ShellValue& value : SHELL_VALUES) {
      if (std::string(value.name) == GetParam().left_out) continue;
      ASSERT_TRUE(registry->SetValue(SHELL_FOLDERS_KEY, value.name, value.path).ok());
    }
  }

  SpecialFolders folders(System(), &*registry, findings);

  EXPECT_EQ(folders[FOLDER_WINDOWS], "C:\\WINDOWS");
  EXPECT_EQ(folders[FOLDER_SYSTEM], "C:\\WINDOWS\\SYSTEM");
  for (const ShellValue& value : SHELL_VALUES) {
    bool read = !GetParam().key_missing && std::string(value.name) != GetParam().left_out;
    EXPECT_EQ(folders[value.slot], read ? value.path : "") << value.name;
  }
  for (int slot = FOLDER_WORKDIR; slot < FOLDER_COUNT; ++slot) EXPECT_EQ(folders[slot], "");
  EXPECT_EQ(findings, GetParam().key_missing ? std::vector<ConfigFinding>{NO_REGISTRY}
                                             : std::vector<ConfigFinding>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, SpecialFoldersTest,
                         ::testing::Values(FolderCase{"complete", "", false},
                                           FolderCase{"no_key", "", true}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(SpecialFoldersRegistryTest, NoRegistryIsLikeAMissingKeyAndFollowsEarlierFindings) {
  ConfigFinding earlier{"Error!", "loading", "SETUP.INI", 3, "Setup", "VolumeName"};
  std::vector<ConfigFinding> findings{earlier};
  SpecialFolders folders(System(), nullptr, findings);
  EXPECT_EQ(findings, (std::vector<ConfigFinding>{earlier, NO_REGISTRY}));
  EXPECT_EQ(folders[FOLDER_WINDOWS], "C:\\WINDOWS");
  EXPECT_EQ(folders[FOLDER_DESKTOP], "");
}

TEST(SpecialFoldersRegistryTest, ValuesTooLongForTheQueryBufferAreNotRead) {
  TempDir dir;
  std::vector<ConfigFinding> findings;
  auto registry = RegistryFile::Open(dir.Join("registry.reg"));
  ASSERT_TRUE(registry.ok());
  ASSERT_TRUE(registry->SetValue(SHELL_FOLDERS_KEY, "Desktop", std::string(1023, 'd')).ok());
  ASSERT_TRUE(registry->SetValue(SHELL_FOLDERS_KEY, "Programs", std::string(1024, 'p')).ok());
  SpecialFolders folders(System(), &*registry, findings);
  EXPECT_EQ(folders[FOLDER_DESKTOP], std::string(1023, 'd'));
  EXPECT_EQ(folders[FOLDER_PROGRAMS], "");
  EXPECT_TRUE(findings.empty());
}

}  // namespace
}  // namespace setup
