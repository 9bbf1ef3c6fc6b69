#include "platform/host_profile.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

class HostProfileTest : public ::testing::Test {
 protected:
  HostProfileTest() {
    dir_.MakeDir("home");
    dir_.MakeDir("disc");
    dir_.WriteFile("file", "");
    profile_path_ = dir_.Join("profile.ini");
  }

  Result<HostProfile> Parse(const std::string& text) {
    return ParseHostProfile(text, profile_path_);
  }

  TempDir dir_;
  std::string profile_path_;
};

TEST_F(HostProfileTest, ParsesEveryKey) {
  auto profile = Parse(
      "; a comment\n"
      "[Drives]\n"
      "C = home, fixed   ; relative to the profile\n"
      "e=" +
      dir_.Join("disc") +
      "/,CDROM\r\n"
      "[system]\n"
      "WindowsDir = C:\\WINDOWS\\\n"
      "SystemDir = C:\\WINDOWS\\SYSTEM32\n"
      "Registry = reg/registry.reg\n"
      "Platform = Windows\n"
      "CodePage = 1250\n"
      "ServiceManager = no\n");
  ASSERT_TRUE(profile.ok()) << profile.status().message();
  ASSERT_EQ(profile->drives.size(), 2u);
  EXPECT_EQ(profile->drives[0].letter, 'C');
  EXPECT_EQ(profile->drives[0].host_root, dir_.Join("home"));
  EXPECT_EQ(profile->drives[0].type, DriveType::Fixed);
  EXPECT_EQ(profile->drives[0].line, 3);
  EXPECT_EQ(profile->drives[1].letter, 'E');
  EXPECT_EQ(profile->drives[1].host_root, dir_.Join("disc"));
  EXPECT_EQ(profile->drives[1].type, DriveType::CdRom);
  EXPECT_EQ(profile->windows_dir, "C:\\WINDOWS");
  EXPECT_EQ(profile->SystemDir(), "C:\\WINDOWS\\SYSTEM32");
  EXPECT_EQ(profile->registry_file, dir_.Join("reg/registry.reg"));
  EXPECT_EQ(profile->platform, PlatformLine::Windows);
  EXPECT_EQ(profile->code_page, 1250);
  EXPECT_EQ(profile->service_manager, false);
}

TEST_F(HostProfileTest, DefaultsForWhatIsNotSaid) {
  auto profile = Parse("[Drives]\nC = home\n");
  ASSERT_TRUE(profile.ok()) << profile.status().message();
  EXPECT_EQ(profile->drives[0].type, DriveType::Fixed);
  EXPECT_EQ(profile->windows_dir, "C:\\.local\\share\\setup\\windows");
  EXPECT_EQ(profile->SystemDir(), "C:\\.local\\share\\setup\\windows\\SYSTEM");
  EXPECT_EQ(profile->registry_file, dir_.Join("home") + "/.local/share/setup/registry.reg");
  EXPECT_EQ(profile->platform, PlatformLine::NT);
  EXPECT_EQ(profile->code_page, 1252);
  EXPECT_EQ(profile->service_manager, std::nullopt);

  HostProfile defaults = DefaultHostProfile("/home/me/");
  ASSERT_EQ(defaults.drives.size(), 1u);
  EXPECT_EQ(defaults.drives[0].host_root, "/home/me");
  EXPECT_EQ(defaults.registry_file, "/home/me/.local/share/setup/registry.reg");
}

TEST_F(HostProfileTest, ReportsProblemsWithFileAndLine) {
  const std::string file = profile_path_;
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"[Drives]\nC home\n", file + ":2: expected '[section]' or 'key = value'"},
      {"[Drives\n", file + ":1: expected '[section]' or 'key = value'"},
      {"[Printers]\n", file + ":1: unknown section [Printers]"},
      {"C = home\n", file + ":1: 'C' is outside any section"},
      {"[System]\nColour = blue\n", file + ":2: unknown key 'Colour' in [System]"},
      {"[Drives]\nCD = home\n", file + ":2: 'CD' is not a drive letter"},
      {"[Drives]\nC = home\n\nc = disc\n", file + ":4: drive C is mapped twice (first on line 2)"},
      {"[Drives]\nC = home, floppy\n",
       file + ":2: unknown drive type 'floppy' (fixed, removable, cdrom, remote or ramdisk)"},
      {"[Drives]\nC = missing\n",
       file + ":2: drive C: cannot use '" + dir_.Join("missing") + "': No such file or directory"},
      {"[Drives]\nC = file\n",
       file + ":2: drive C: '" + dir_.Join("file") + "' is not a directory"},
      {"[Drives]\nC = , fixed\n", file + ":2: drive C needs a directory"},
      {"[System]\nPlatform = OS/2\n", file + ":2: unknown platform 'OS/2' (NT or Windows)"},
      {"[System]\nCodePage = latin\n", file + ":2: 'latin' is not a code page number"},
      {"[System]\nCodePage = 1361\n",
       file + ":2: code page 1361 cannot be used: code page 1361 is not single-byte"},
      {"[System]\nWindowsDir = WINDOWS\n",
       file + ":2: WindowsDir must be a full Windows path such as C:\\WINDOWS"},
      {"[System]\nPlatform = NT\nplatform = NT\n",
       file + ":3: 'platform' is set twice (first on line 2)"},
      {"[System]\nServiceManager = maybe\n",
       file + ":2: ServiceManager must be yes or no, not 'maybe'"},
  };
  for (const auto& c : cases) {
    auto profile = Parse(c.text);
    ASSERT_FALSE(profile.ok()) << c.text;
    EXPECT_EQ(profile.status().message(), c.message);
    EXPECT_EQ(profile.status().win_error(), WinError::InvalidParameter);
  }
}

TEST_F(HostProfileTest, LoadsFromAFile) {
  dir_.WriteFile("profile.ini", "[Drives]\nC = home\n");
  auto profile = LoadHostProfile(profile_path_);
  ASSERT_TRUE(profile.ok()) << profile.status().message();
  EXPECT_EQ(profile->drives[0].host_root, dir_.Join("home"));
  auto missing = LoadHostProfile(dir_.Join("none.ini"));
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.status().message(),
            dir_.Join("none.ini") + ": cannot read the profile: No such file or directory");
}

}  // namespace
}  // namespace setup
