// The Win32 host's services on the system itself: the registry, the instance mutex, the
// process runner's command lines and the shell's links.

#include "platform/win32_services.h"

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

// Drive C is a temporary folder, and current.
class Win32ServicesTest : public ::testing::Test {
 protected:
  Win32ServicesTest() : fs_(Drives(temp_), CodePage(), "C:\\") {}

  static DriveMap Drives(const TempDir& temp) {
    DriveMap drives;
    drives.Map('C', temp.path(), DriveType::Fixed);
    return drives;
  }

  TempDir temp_;
  CodePage code_page_;
  Win32FileSystem fs_;
};

TEST_F(Win32ServicesTest, RegistryKeepsValuesUnderAnyCaseOfTheirNames) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\SetupTests\\Registry";
  Win32Registry registry(code_page_);
  ASSERT_TRUE(registry.SetValue(key, "DisplayName", "Caf\xE9 Book").ok());
  EXPECT_TRUE(registry.KeyExists("hkey_current_user\\SOFTWARE\\setuptests"));
  EXPECT_EQ(registry.QueryValue(key, "displayname"), "Caf\xE9 Book");
  EXPECT_EQ(registry.QueryValue(key, "Missing"), std::nullopt);
  EXPECT_EQ(registry.QueryValue(key + "\\Missing", "DisplayName"), std::nullopt);
  EXPECT_TRUE(registry.CreateKey(key + "\\Sub").ok());
  EXPECT_TRUE(registry.KeyExists(key + "\\SUB"));
  const struct {
    const char* key;
  } refused[] = {{"HKEY_NOWHERE\\Software"}, {"HKEY_CURRENT_USER\\Software\\\\Empty"}};
  for (const auto& bad : refused) {
    EXPECT_EQ(registry.CreateKey(bad.key).win_error(), WinError::InvalidParameter) << bad.key;
    EXPECT_FALSE(registry.KeyExists(bad.key)) << bad.key;
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SetupTests");
}

TEST_F(Win32ServicesTest, RegistryListsAndDeletesWholeKeys) {
  const std::string key = "HKEY_CURRENT_USER\\Software\\SetupTests\\Uninstall";
  Win32Registry registry(code_page_);
  ASSERT_TRUE(registry.SetValue(key + "\\Caf\xE9 Book", "DisplayName", "x").ok());
  ASSERT_TRUE(registry.SetValue(key + "\\Atlas\\Deeper", "Name", "y").ok());
  std::vector<std::string> names = registry.SubKeyNames(key);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Atlas", "Caf\xE9 Book"}));
  EXPECT_TRUE(registry.SubKeyNames(key + "\\Missing").empty());

  ASSERT_TRUE(registry.DeleteKey(key + "\\ATLAS").ok());
  EXPECT_FALSE(registry.KeyExists(key + "\\Atlas\\Deeper"));
  EXPECT_FALSE(registry.KeyExists(key + "\\Atlas"));
  EXPECT_EQ(registry.QueryValue(key + "\\Caf\xE9 Book", "DisplayName"), "x");
  EXPECT_TRUE(registry.DeleteKey(key + "\\Atlas").ok()) << "a missing key is no error";
  // A whole root is never deleted, and a key the registry cannot hold is refused.
  EXPECT_EQ(registry.DeleteKey("HKEY_CURRENT_USER").win_error(), WinError::AccessDenied);
  EXPECT_EQ(registry.DeleteKey("HKEY_NOWHERE\\Software").win_error(), WinError::InvalidParameter);
  EXPECT_TRUE(registry.KeyExists("HKEY_CURRENT_USER\\Software"));
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SetupTests");
}

TEST_F(Win32ServicesTest, OneInstanceLockAtATime) {
  Win32InstanceLock second;
  {
    Win32InstanceLock first;
    EXPECT_TRUE(*first.TryAcquire());
    EXPECT_TRUE(*first.TryAcquire());
    EXPECT_FALSE(*second.TryAcquire());
    EXPECT_FALSE(*second.TryAcquire());
  }
  // Released with its holder.
  EXPECT_TRUE(*second.TryAcquire());
}

TEST_F(Win32ServicesTest, EveryArgumentReachesTheProgramAsGiven) {
  std::filesystem::copy_file(ARGV_RECORDER, temp_.Join("Run Me.exe"));
  Win32ProcessRunner runner(fs_, code_page_);
  const std::vector<std::string> arguments = {
      "plain", "two words", "", "say \"hi\"", "C:\\My Books\\", "a\\\\b", "tab\there", "\\\"",
  };
  const ProcessRun run = runner.RunAndWait("C:\\RUN ME.EXE", arguments);
  ASSERT_EQ(run.outcome, ProcessRun::Outcome::Finished) << run.status.ToString();
  EXPECT_EQ(run.exit_code, 0);
  std::string expected = "argv[0]=" + *fs_.ToHostPath("C:\\RUN ME.EXE") + "\n";
  for (size_t i = 0; i < arguments.size(); ++i) {
    expected += "argv[" + std::to_string(i + 1) + "]=" + arguments[i] + "\n";
  }
  std::string record = temp_.ReadFile("argv_record.txt");
  std::erase(record, '\r');  // written in text mode
  EXPECT_EQ(record.substr(0, record.find("cwd=")), expected);
}

TEST_F(Win32ServicesTest, AProgramThatIsNotThereIsNotStarted) {
  Win32ProcessRunner runner(fs_, code_page_);
  const ProcessRun run = runner.RunAndWait("C:\\missing.exe", {});
  EXPECT_EQ(run.outcome, ProcessRun::Outcome::NotStarted);
  EXPECT_EQ(run.status.win_error(), WinError::FileNotFound);
}

TEST_F(Win32ServicesTest, ShortcutsAreShellLinksToTheTarget) {
  temp_.WriteFile("Books/Read Me.txt", "text");
  Win32ShellLinkMaker links(fs_, code_page_);
  ASSERT_TRUE(links.CreateLink("C:\\BOOKS\\READ ME.TXT", "C:\\Read Me.lnk", "The book").ok());

  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IShellLinkW* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkW, reinterpret_cast<void**>(&link))));
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
  const std::wstring link_path = std::filesystem::path(temp_.Join("Read Me.lnk")).wstring();
  ASSERT_TRUE(SUCCEEDED(file->Load(link_path.c_str(), STGM_READ)));
  wchar_t target[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)));
  wchar_t description[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(link->GetDescription(description, MAX_PATH)));
  file->Release();
  link->Release();
  CoUninitialize();
  EXPECT_EQ(std::filesystem::path(target),
            std::filesystem::path(*fs_.ToHostPath("C:\\BOOKS\\READ ME.TXT")));
  EXPECT_EQ(std::wstring(description), L"The book");
}

}  // namespace
}  // namespace setup
