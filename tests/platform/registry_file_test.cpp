#include "platform/registry_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/loaded_code_page.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::TempDir;

constexpr char KEY[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
    "Uninstall\\Demo Book";

class RegistryFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string path_ = dir_.Join("state/registry.reg");

  RegistryFile OpenStore() {
    auto store = RegistryFile::Open(path_);
    EXPECT_TRUE(store.ok()) << store.status().ToString();
    return std::move(store).value();
  }
  std::vector<std::string> DirectoryEntries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Join("state"))) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
};

TEST_F(RegistryFileTest, MissingFileIsAnEmptyStoreCreatedOnFirstChange) {
  RegistryFile store = OpenStore();
  EXPECT_FALSE(store.KeyExists(UNINSTALL_KEY));
  EXPECT_FALSE(dir_.Exists("state/registry.reg"));
  ASSERT_TRUE(store.SetValue(KEY, "DisplayName", "Demo Book").ok());
  EXPECT_EQ(dir_.ReadFile("state/registry.reg"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
            "Demo Book]\r\n"
            "\"DisplayName\"=\"Demo Book\"\r\n\r\n");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"registry.reg"});  // no temporaries
}

// Shift-JIS product names: '表' (0x95 0x5C) ends in the byte of '\\', 'ヂ' (0x83 0x61) and 'ア'
// (0x83 0x41) differ only in the case their second bytes would have as letters.
TEST_F(RegistryFileTest, DoubleByteKeyNamesStayWhole) {
  const CodePage shift_jis = testing::LoadedCodePage(932);
  const std::string uninstall = std::string(UNINSTALL_KEY) + "\\";
  {
    auto store = RegistryFile::Open(path_, shift_jis);
    ASSERT_TRUE(store.ok());
    ASSERT_TRUE(store->SetValue(uninstall + "\x95\x5C", "DisplayName", "\x95\x5C").ok());
    ASSERT_TRUE(store->SetValue(uninstall + "\x83\x61", "DisplayName", "katakana di").ok());
    ASSERT_TRUE(store->SetValue(uninstall + "\x83\x41\\", "DisplayName", "a").ok());
  }
  const std::string text = dir_.ReadFile("state/registry.reg");
  EXPECT_NE(text.find("\\Uninstall\\\x95\x5C]\r\n\"DisplayName\"=\"\x95\\\x5C\"\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("\\Uninstall\\\x95]"), std::string::npos) << text;
  auto store = RegistryFile::Open(path_, shift_jis);
  ASSERT_TRUE(store.ok());
  EXPECT_EQ(store->QueryValue(uninstall + "\x95\x5C", "displayname"), "\x95\x5C");
  EXPECT_EQ(store->QueryValue(uninstall + "\x83\x61", "DisplayName"), "katakana di");
  EXPECT_EQ(store->QueryValue(uninstall + "\x83\x41", "DisplayName"), "a");
  EXPECT_FALSE(store->KeyExists(uninstall + "\x95"));
}

TEST_F(RegistryFileTest, RoundTripsValuesWithEscapes) {
  const std::string tricky[] = {
      "C:\\WINDOWS\\ZORUNIN.EXE \"Demo\"",
      "ends with a backslash\\",
      "",
      "two\r\nlines",
      "\xDC"
      "bungen",
      "\"=\"",
  };
  {
    RegistryFile store = OpenStore();
    for (size_t i = 0; i < std::size(tricky); ++i) {
      ASSERT_TRUE(store.SetValue(KEY, "v" + std::to_string(i), tricky[i]).ok());
    }
    ASSERT_TRUE(store.SetValue(KEY, "", "default").ok());
    // A string value ends at its first zero byte, as the registry's strings do.
    ASSERT_TRUE(store.SetValue(KEY, "zero", std::string("before\0after", 12)).ok());
  }
  RegistryFile store = OpenStore();
  for (size_t i = 0; i < std::size(tricky); ++i) {
    EXPECT_EQ(store.QueryValue(KEY, "V" + std::to_string(i)), tricky[i]) << i;
  }
  EXPECT_EQ(store.QueryValue(KEY, ""), "default");
  EXPECT_EQ(store.QueryValue(KEY, "zero"), "before");
  EXPECT_EQ(store.QueryValue(KEY, "missing"), std::nullopt);
}

TEST_F(RegistryFileTest, KeysMatchWithoutRegardToCase) {
  RegistryFile store = OpenStore();
  ASSERT_TRUE(store.SetValue(KEY, "DisplayName", "first").ok());
  ASSERT_TRUE(store
                  .SetValue("hkey_local_machine\\SOFTWARE\\microsoft\\windows\\currentversion\\"
                            "uninstall\\demo book\\",
                            "displayname", "second")
                  .ok());
  EXPECT_EQ(store.QueryValue(KEY, "DisplayName"), "second");
  EXPECT_TRUE(store.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_TRUE(store.KeyExists(std::string(UNINSTALL_KEY) + "\\DEMO BOOK"));
  EXPECT_FALSE(store.KeyExists(std::string(UNINSTALL_KEY) + "\\Demo"));
  EXPECT_EQ(store.Serialize().find("demo book"), std::string::npos);  // first spelling kept
}

TEST_F(RegistryFileTest, ReadsAForeignExportAndKeepsWhatItDoesNotUse) {
  dir_.WriteFile("state/registry.reg",
                 "\xEF\xBB\xBFREGEDIT4\n\n"
                 "; exported by hand\n"
                 "[HKEY_CURRENT_USER\\Software\\X]\n"
                 "\"Path\"=\"C:\\\\X\"\n"
                 "\"Count\"=dword:00000002\n"
                 "\"Long\"=hex(1):41,42,\\\n"
                 "  43,00\n"
                 "@=\"default\"\n"
                 "garbage line\n"
                 "\"unterminated=\"x\n"
                 "[-HKEY_CURRENT_USER\\Gone]\n"
                 "\"Orphan\"=\"nobody's\"\n");
  RegistryFile store = OpenStore();
  EXPECT_EQ(store.QueryValue("HKEY_CURRENT_USER\\Software\\X", "Path"), "C:\\X");
  EXPECT_EQ(store.QueryValue("HKEY_CURRENT_USER\\Software\\X", "Long"), "ABC");
  EXPECT_EQ(store.QueryValue("HKEY_CURRENT_USER\\Software\\X", ""), "default");
  EXPECT_TRUE(store.KeyExists("HKEY_CURRENT_USER\\Software"));  // implied parent
  EXPECT_FALSE(store.KeyExists("HKEY_CURRENT_USER\\Gone"));
  ASSERT_TRUE(store.SetValue("HKEY_CURRENT_USER\\Software\\X", "New", "1").ok());
  EXPECT_NE(dir_.ReadFile("state/registry.reg").find("\"Count\"=dword:00000002\r\n"),
            std::string::npos);
}

TEST_F(RegistryFileTest, RejectsAFileThatIsNotRegedit4) {
  for (const char* text : {"", "Windows Registry Editor Version 5.00\n", "[KEY]\n\"a\"=\"b\"\n"}) {
    dir_.WriteFile("state/registry.reg", text);
    auto store = RegistryFile::Open(path_);
    ASSERT_FALSE(store.ok()) << text;
    EXPECT_EQ(store.status().win_error(), WinError::InvalidParameter);
  }
}

TEST_F(RegistryFileTest, AFailedWriteLeavesStoreAndFileUnchanged) {
  RegistryFile store = OpenStore();
  ASSERT_TRUE(store.SetValue(KEY, "DisplayName", "Demo").ok());
  const std::string before = dir_.ReadFile("state/registry.reg");
  // A directory where the temporary file would go makes every write fail, even for root.
  std::filesystem::remove(path_);
  std::filesystem::create_directory(path_);
  EXPECT_FALSE(store.SetValue(KEY, "DisplayName", "Changed").ok());
  EXPECT_EQ(store.QueryValue(KEY, "DisplayName"), "Demo");
  EXPECT_EQ(DirectoryEntries(), std::vector<std::string>{"registry.reg"});
}

TEST_F(RegistryFileTest, RefusesNamesThatWouldBreakTheFile) {
  RegistryFile store = OpenStore();
  EXPECT_EQ(store.SetValue("HKEY_CURRENT_USER\\a\nb", "x", "y").win_error(),
            WinError::InvalidParameter);
  EXPECT_EQ(store.SetValue("HKEY_CURRENT_USER\\a", "x\ny", "y").win_error(),
            WinError::InvalidParameter);
  EXPECT_EQ(store.CreateKey("\\\\").win_error(), WinError::InvalidParameter);
  EXPECT_EQ(store.CreateKey("-HKEY_CURRENT_USER").win_error(), WinError::InvalidParameter);
  EXPECT_FALSE(dir_.Exists("state/registry.reg"));
}

TEST_F(RegistryFileTest, ListsAndDeletesSubkeys) {
  RegistryFile store = OpenStore();
  const std::string uninstall = UNINSTALL_KEY;
  ASSERT_TRUE(store.SetValue(uninstall + "\\Demo Book", "DisplayName", "Demo Book").ok());
  ASSERT_TRUE(store.SetValue(uninstall + "\\Other\\Deeper", "X", "1").ok());
  ASSERT_TRUE(store.CreateKey(uninstall + "\\Demo Bookmarks").ok());
  EXPECT_EQ(store.SubKeyNames(uninstall),
            (std::vector<std::string>{"Demo Book", "Other", "Demo Bookmarks"}));
  EXPECT_EQ(store.SubKeyNames("HKEY_LOCAL_MACHINE\\Nowhere"), std::vector<std::string>{});

  ASSERT_TRUE(store.DeleteKey(uninstall + "\\DEMO BOOK").ok());
  ASSERT_TRUE(store.DeleteKey(uninstall + "\\other").ok());
  ASSERT_TRUE(store.DeleteKey(uninstall + "\\Never There").ok());
  // A key whose name only begins like the deleted one stays.
  EXPECT_EQ(store.SubKeyNames(uninstall), std::vector<std::string>{"Demo Bookmarks"});
  EXPECT_FALSE(OpenStore().KeyExists(uninstall + "\\Other\\Deeper"));
  EXPECT_TRUE(OpenStore().KeyExists(uninstall + "\\Demo Bookmarks"));
}

// Shift-JIS subkeys: '表\ソ' lists as '表' (its second byte 0x5C is no separator), and deleting
// 'ヂ' (0x83 0x61) leaves 'ア' (0x83 0x41), whose second byte differs only in case.
TEST_F(RegistryFileTest, ListsAndDeletesDoubleByteSubkeys) {
  auto store = RegistryFile::Open(path_, testing::LoadedCodePage(932));
  ASSERT_TRUE(store.ok());
  const std::string uninstall = UNINSTALL_KEY;
  ASSERT_TRUE(store->SetValue(uninstall + "\\\x95\x5C\\\x83\x5C", "X", "1").ok());
  ASSERT_TRUE(store->CreateKey(uninstall + "\\\x83\x41").ok());
  ASSERT_TRUE(store->CreateKey(uninstall + "\\\x83\x61").ok());
  EXPECT_EQ(store->SubKeyNames(uninstall),
            (std::vector<std::string>{"\x95\x5C", "\x83\x41", "\x83\x61"}));
  EXPECT_EQ(store->SubKeyNames(uninstall + "\\\x95\x5C"), std::vector<std::string>{"\x83\x5C"});
  ASSERT_TRUE(store->DeleteKey(uninstall + "\\\x83\x61").ok());
  ASSERT_TRUE(store->DeleteKey(uninstall + "\\\x95\x5C").ok());
  EXPECT_EQ(store->SubKeyNames(uninstall), std::vector<std::string>{"\x83\x41"});
}

}  // namespace
}  // namespace setup
