#include "config/special_folders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_file.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::RecordingMessageBox;
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

class SpecialFoldersTest : public ::testing::TestWithParam<FolderCase> {
 protected:
  TempDir dir;
  RecordingMessageBox messages;
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

  SpecialFolders folders(System(), &*registry, messages);

  EXPECT_EQ(folders[FOLDER_WINDOWS], "C:\\WINDOWS");
  EXPECT_EQ(folders[FOLDER_SYSTEM], "C:\\WINDOWS\\SYSTEM");
  for (const ShellValue& value : SHELL_VALUES) {
    bool read = !GetParam().key_missing && std::string(value.name) != GetParam().left_out;
    EXPECT_EQ(folders[value.slot], read ? value.path : "") << value.name;
  }
  for (int slot = FOLDER_WORKDIR; slot < FOLDER_COUNT; ++slot) EXPECT_EQ(folders[slot], "");
  if (GetParam().key_missing) {
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].caption, "/media/disc/setup");
    EXPECT_EQ(messages.shown()[0].text, "Couldn't open the registry.");
    EXPECT_EQ(messages.shown()[0].icon, MessageBoxIcon::Warning);
    EXPECT_EQ(messages.shown()[0].buttons, MessageBoxButtons::Ok);
  } else {
    EXPECT_TRUE(messages.shown().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SpecialFoldersTest,
                         ::testing::Values(FolderCase{"complete", "", false},
                                           FolderCase{"no_pictures", "My Pictures", false},
                                           FolderCase{"no_personal", "Personal", false},
                                           FolderCase{"no_key", "", true}),
                         [](const ::testing::TestParamInfo<FolderCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(SpecialFoldersRegistryTest, NoRegistryIsLikeAMissingKey) {
  RecordingMessageBox messages;
  SpecialFolders folders(System(), nullptr, messages);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Couldn't open the registry."});
  EXPECT_EQ(folders[FOLDER_WINDOWS], "C:\\WINDOWS");
  EXPECT_EQ(folders[FOLDER_DESKTOP], "");
}

TEST(SpecialFoldersRegistryTest, ValuesTooLongForTheQueryBufferAreNotRead) {
  TempDir dir;
  RecordingMessageBox messages;
  auto registry = RegistryFile::Open(dir.Join("registry.reg"));
  ASSERT_TRUE(registry.ok());
  ASSERT_TRUE(registry->SetValue(SHELL_FOLDERS_KEY, "Desktop", std::string(1023, 'd')).ok());
  ASSERT_TRUE(registry->SetValue(SHELL_FOLDERS_KEY, "Programs", std::string(1024, 'p')).ok());
  SpecialFolders folders(System(), &*registry, messages);
  EXPECT_EQ(folders[FOLDER_DESKTOP], std::string(1023, 'd'));
  EXPECT_EQ(folders[FOLDER_PROGRAMS], "");
  EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace setup
