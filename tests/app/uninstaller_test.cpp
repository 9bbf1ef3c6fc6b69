#include "app/uninstaller.h"

#include <gtest/gtest.h>

#include "app/install_recorder.h"
#include "platform/file_system_wrapper.h"
#include "platform/registry_file.h"
#include "script/directory_path.h"
#include "support/loaded_code_page.h"
#include "support/memory_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::MemoryFileSystem;
using Lines = std::vector<std::string>;

constexpr char WINDOWS_DIR[] = "C:\\WINDOWS";
const std::string BOOK_KEY = std::string(UNINSTALL_KEY) + "\\Book";

// Stands for the process's death: thrown by the file system after a number of removals.
struct Killed {};

// Lets `removals` removals through, then dies (or, with `fail`, refuses them all).
class InterruptedFiles : public FileSystemWrapper {
 public:
  InterruptedFiles(FileSystem* target, int removals, bool fail = false)
      : FileSystemWrapper(target), left_(removals), fail_(fail) {}
  Status RemoveEntry(const std::string& path) override {
    if (left_-- > 0) return FileSystemWrapper::RemoveEntry(path);
    if (fail_) return Status::Error(WinError::AccessDenied, path, "access is denied");
    throw Killed{};
  }

 private:
  int left_;
  bool fail_;
};

class UninstallerTest : public ::testing::Test {
 protected:
  UninstallerTest() : registry_(*RegistryFile::Open(temp_.Join("registry.reg"))) {
    fs_.AddDrive('C', DriveType::Fixed);
    fs_.AddDirectory("C:\\WINDOWS");
    fs_.AddDirectory("C:\\Desktop");
    fs_.AddFile("C:\\Shared\\Reader's.txt", "mine");
    config_.m_nSections = 1;
    config_.SetSectionValue(0, KEY_PRODUCTNAME, "Book");
  }

  // An install: two folders made below one that was there, two files, a shortcut, and the
  // entry as RegisterUninstall writes it. The shortcut is a symbolic link, or with
  // `shortcut_file` a shell-link file as the Windows host makes it.
  void Install(bool shortcut_file = false) {
    InstallRecorder recorder(fs_, config_, code_page_, WINDOWS_DIR);
    CreateDirectoryPath(fs_, "C:\\Shared\\Book\\Sub", code_page_, &recorder);
    Write(recorder, "C:\\Shared\\Book\\a.txt", "aaa");
    Write(recorder, "C:\\Shared\\Book\\Sub\\b.txt", "bbb");
    if (shortcut_file) {
      fs_.AddFile("C:\\Desktop\\Book.Lnk", std::string("L\0\0\0 to C:\\Shared\\Book", 22));
    } else {
      fs_.AddLink("C:\\Desktop\\Book.Lnk", "C:\\Shared\\Book");
    }
    recorder.LinkMade("C:\\Desktop\\Book.Lnk");
    ASSERT_TRUE(recorder.Save("Book").ok());
    registry_.SetValue(BOOK_KEY, "DisplayName", "The Book");
    registry_.SetValue(BOOK_KEY, "UninstallString",
                       "C:\\WINDOWS\\ZORUNIN.EXE `C:\\Shared\\Book` Book");
  }
  void Write(InstallRecorder& recorder, const std::string& path, const std::string& contents) {
    fs_.AddFile(path, contents);
    recorder.FileWritten(path, false, std::nullopt);
  }
  UninstallOutcome Uninstall(FileSystem& fs) {
    std::optional<UninstallEntry> entry = FindUninstallEntry(registry_, "the book", code_page_);
    if (!entry) return {};
    return RemoveInstalledEntry({fs, registry_, code_page_, WINDOWS_DIR}, *entry);
  }
  UninstallOutcome Uninstall() { return Uninstall(fs_); }
  bool NothingInstalledIsLeft() {
    return !fs_.Contains("C:\\Shared\\Book") && !fs_.Contains("C:\\Desktop\\Book.Lnk") &&
           !fs_.Contains("C:\\WINDOWS\\SETUPREC") && !registry_.KeyExists(BOOK_KEY) &&
           fs_.Contents("C:\\Shared\\Reader's.txt") == "mine";
  }

  testing::TempDir temp_;
  MemoryFileSystem fs_;
  CodePage code_page_;
  SetupConfig config_;
  RegistryFile registry_;
};

TEST_F(UninstallerTest, RemovesExactlyWhatTheInstallMade) {
  Install();
  const UninstallOutcome outcome = Uninstall();
  EXPECT_EQ(outcome.kept, Lines{});
  EXPECT_EQ(outcome.failed, Lines{});
  EXPECT_TRUE(outcome.entry_removed);
  EXPECT_TRUE(NothingInstalledIsLeft());
  // The folders that were there before stay.
  EXPECT_TRUE(fs_.Contains("C:\\Shared"));
  EXPECT_TRUE(fs_.Contains("C:\\Desktop"));
  EXPECT_TRUE(fs_.Contains("C:\\WINDOWS"));
}

TEST_F(UninstallerTest, ShortcutsThatAreShellLinkFilesGoUnlessChanged) {
  Install(true);
  const UninstallOutcome outcome = Uninstall();
  EXPECT_EQ(outcome.kept, Lines{});
  EXPECT_TRUE(NothingInstalledIsLeft());

  Install(true);
  fs_.AddFile("C:\\Desktop\\Book.Lnk", "a shortcut the reader pointed elsewhere");
  EXPECT_EQ(Uninstall().kept, Lines{"C:\\Desktop\\Book.Lnk"});
  EXPECT_TRUE(fs_.Contains("C:\\Desktop\\Book.Lnk"));
}

TEST_F(UninstallerTest, ChangedAndAddedFilesAreKeptAndNamed) {
  Install();
  // The same size and time, other bytes: only the content hash tells.
  auto before = fs_.GetFileInfo("C:\\Shared\\Book\\a.txt");
  fs_.AddFile("C:\\Shared\\Book\\a.txt", "AAA");
  fs_.SetFileTimes("C:\\Shared\\Book\\a.txt", 0, 0, before->last_write_time);
  fs_.AddFile("C:\\Shared\\Book\\Sub\\notes.txt", "my notes");
  const UninstallOutcome outcome = Uninstall();
  EXPECT_EQ(outcome.kept, (Lines{"C:\\Shared\\Book\\a.txt", "C:\\Shared\\Book\\Sub\\notes.txt"}));
  EXPECT_EQ(outcome.failed, Lines{});
  EXPECT_TRUE(outcome.entry_removed);
  EXPECT_EQ(fs_.Contents("C:\\Shared\\Book\\a.txt"), "AAA");
  EXPECT_EQ(fs_.Contents("C:\\Shared\\Book\\Sub\\notes.txt"), "my notes");
  EXPECT_FALSE(fs_.Contains("C:\\Shared\\Book\\Sub\\b.txt"));
  EXPECT_FALSE(fs_.Contains("C:\\Desktop\\Book.Lnk"));
}

TEST_F(UninstallerTest, LinksAreNeverFollowed) {
  Install();
  fs_.AddFile("C:\\Elsewhere\\b.txt", "bbb");
  fs_.Remove("C:\\Shared\\Book\\Sub");
  fs_.AddLink("C:\\Shared\\Book\\Sub", "C:\\Elsewhere");
  fs_.Remove("C:\\Shared\\Book\\a.txt");
  fs_.AddLink("C:\\Shared\\Book\\a.txt", "C:\\Elsewhere\\b.txt");
  const UninstallOutcome outcome = Uninstall();
  EXPECT_EQ(outcome.kept, (Lines{"C:\\Shared\\Book\\a.txt (now a link)",
                                 "C:\\Shared\\Book\\Sub\\b.txt (under a link)",
                                 "C:\\Shared\\Book\\Sub (now a link)"}));
  EXPECT_EQ(outcome.failed, Lines{});
  EXPECT_EQ(fs_.Contents("C:\\Elsewhere\\b.txt"), "bbb");
  EXPECT_TRUE(fs_.Contains("C:\\Shared\\Book\\Sub"));
  EXPECT_TRUE(fs_.Contains("C:\\Shared\\Book\\a.txt"));
}

TEST_F(UninstallerTest, AFailureKeepsTheEntryForAnotherTry) {
  Install();
  InterruptedFiles refusing(&fs_, 1, true);
  const UninstallOutcome failed = Uninstall(refusing);
  EXPECT_EQ(failed.failed, (Lines{"C:\\Shared\\Book\\Sub\\b.txt: access is denied",
                                  "C:\\Desktop\\Book.Lnk: access is denied",
                                  "C:\\Shared\\Book\\Sub: access is denied",
                                  "C:\\Shared\\Book: access is denied"}));
  EXPECT_FALSE(failed.entry_removed);
  EXPECT_TRUE(registry_.KeyExists(BOOK_KEY));
  const UninstallOutcome second = Uninstall();
  EXPECT_EQ(second.failed, Lines{});
  EXPECT_TRUE(second.entry_removed);
  EXPECT_TRUE(NothingInstalledIsLeft());
}

// Wherever the removal dies, the next one finishes it.
TEST_F(UninstallerTest, AnInterruptedRemovalIsFinishedByTheNext) {
  // Seven removals: three files and links, two folders, the record and its folder.
  for (int removals = 0; removals <= 7; ++removals) {
    SCOPED_TRACE(removals);
    Install();
    InterruptedFiles dying(&fs_, removals);
    bool died = false;
    try {
      Uninstall(dying);
    } catch (const Killed&) {
      died = true;
    }
    EXPECT_EQ(died, removals < 7);
    const UninstallOutcome second = Uninstall();
    EXPECT_EQ(second.kept, Lines{});
    EXPECT_EQ(second.failed, Lines{});
    // Killed after the entry went, the record is left without one, and nothing lists it.
    EXPECT_FALSE(registry_.KeyExists(BOOK_KEY));
    EXPECT_FALSE(fs_.Contains("C:\\Shared\\Book"));
    EXPECT_FALSE(fs_.Contains("C:\\Desktop\\Book.Lnk"));
    fs_.Remove("C:\\WINDOWS\\SETUPREC");
  }
}

TEST_F(UninstallerTest, WithoutARecordNothingIsRemoved) {
  Install();
  fs_.Remove("C:\\WINDOWS\\SETUPREC\\Book.txt");
  const UninstallOutcome outcome = Uninstall();
  EXPECT_EQ(outcome.failed,
            Lines{"C:\\WINDOWS\\SETUPREC\\Book.txt: there is no record of the installed files"});
  EXPECT_TRUE(fs_.Contains("C:\\Shared\\Book\\a.txt"));
  EXPECT_TRUE(registry_.KeyExists(BOOK_KEY));
}

TEST_F(UninstallerTest, OnlyThisProgramsEntriesAreListed) {
  Install();
  registry_.SetValue(std::string(UNINSTALL_KEY) + "\\Foreign", "UninstallString", "msiexec /x");
  const std::vector<UninstallEntry> listed = ListUninstallEntries(registry_, code_page_);
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].folder, "C:\\Shared\\Book");
  EXPECT_FALSE(FindUninstallEntry(registry_, "Foreign", code_page_));
  EXPECT_EQ(FolderOfUninstallCommand("C:\\W\\zorunin.exe `C:\\A `B`` C` Name", code_page_),
            "C:\\A `B`` C");
  EXPECT_EQ(FolderOfUninstallCommand("C:\\W\\OTHER.EXE `C:\\A` Name", code_page_), std::nullopt);
}

// Shift-JIS names: 'ヂ' (0x83 0x61) does not find 'ア' (0x83 0x41), whose second byte differs
// only in case; the ASCII letters still match without regard to case.
TEST(UninstallEntriesTest, DoubleByteNamesAreFoundWhole) {
  testing::TempDir temp;
  const CodePage shift_jis = testing::LoadedCodePage(932);
  RegistryFile registry = *RegistryFile::Open(temp.Join("registry.reg"), shift_jis);
  const std::string key = std::string(UNINSTALL_KEY) + "\\\x83\x41";
  registry.SetValue(key, "DisplayName", "\x83\x41 Book");
  registry.SetValue(key, "UninstallString", "C:\\W\\ZORUNIN.EXE `C:\\\x95\x5C` \x83\x41");
  const std::pair<const char*, bool> names[] = {
      {"\x83\x41", true},
      {"\x83\x41 BOOK", true},
      {"\x83\x61", false},
      {"\x83\x61 Book", false},
  };
  for (const auto& [name, found] : names) {
    EXPECT_EQ(FindUninstallEntry(registry, name, shift_jis).has_value(), found)
        << shift_jis.ToUtf8(name);
  }
  EXPECT_EQ(FindUninstallEntry(registry, "\x83\x41", shift_jis)->folder, "C:\\\x95\x5C");
  // 'ダ' (0x83 0x60) ends in the byte of '`': a product "ダ Book" is no end of the folder.
  EXPECT_EQ(FolderOfUninstallCommand("C:\\W\\ZORUNIN.EXE `C:\\\x95\x5C` \x83\x60 Book", shift_jis),
            "C:\\\x95\x5C");
}

}  // namespace
}  // namespace setup
