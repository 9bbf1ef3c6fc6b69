// The FileSystem contract, run against every implementation: drives C and F (fixed) and drive
// E (cdrom), and C:\ is current. Each implementation comes with a backing store the test reaches
// behind the file system's back, as another process would.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/host_file_system.h"
#include "support/memory_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

using testing::MemoryFileSystem;
using testing::TempDir;

// What lies under a file system, reached without it. Paths are '/'-separated, start with the
// drive's letter in lower case ("c/code/Read_Me.txt"), and spell names exactly, in UTF-8.
class Backing {
 public:
  virtual ~Backing() = default;
  virtual FileSystem& fs() = 0;
  // Writes a file, making its parent directories.
  virtual void Write(const std::string& path, const std::string& contents) = 0;
  // The contents of a file, or "<missing>".
  virtual std::string Read(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual void MakeDir(const std::string& path) = 0;
  // Removes an entry with everything below it; a drive's root takes its medium out.
  virtual void Remove(const std::string& path) = 0;
  virtual void Rename(const std::string& from, const std::string& to) = 0;
  // A symbolic link at `path` pointing at the entry `target`; false where the host makes
  // none (Wine).
  virtual bool Link(const std::string& path, const std::string& target) = 0;
};

class HostBacking : public Backing {
 public:
  HostBacking() {
    DriveMap drives;
    drives.Map('C', dir_.MakeDir("c"), DriveType::Fixed);
    drives.Map('F', dir_.MakeDir("f"), DriveType::Fixed);
    drives.Map('E', dir_.MakeDir("e"), DriveType::CdRom);
    fs_ = NewHostFileSystem(drives, CodePage(), "C:\\");
  }
  FileSystem& fs() override { return *fs_; }
  void Write(const std::string& path, const std::string& contents) override {
    dir_.WriteFile(path, contents);
  }
  std::string Read(const std::string& path) override { return dir_.ReadFile(path); }
  // Spelt exactly so, also where the host's own look-up ignores case (Windows).
  bool Exists(const std::string& path) override { return dir_.Exists(path); }
  void MakeDir(const std::string& path) override { dir_.MakeDir(path); }
  void Remove(const std::string& path) override {
    std::filesystem::remove_all(Utf8(dir_.Join(path)));
  }
  void Rename(const std::string& from, const std::string& to) override {
    std::filesystem::rename(Utf8(dir_.Join(from)), Utf8(dir_.Join(to)));
  }
  bool Link(const std::string& path, const std::string& target) override {
    return dir_.Link(path, target);
  }

 private:
  static std::filesystem::path Utf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
  }

  TempDir dir_;
  std::unique_ptr<FileSystem> fs_;
};

class MemoryBacking : public Backing {
 public:
  MemoryBacking() {
    fs_.AddDrive('C', DriveType::Fixed);
    fs_.AddDrive('F', DriveType::Fixed);
    fs_.AddDrive('E', DriveType::CdRom);
  }
  FileSystem& fs() override { return fs_; }
  void Write(const std::string& path, const std::string& contents) override {
    fs_.AddFile(Windows(path), contents);
  }
  std::string Read(const std::string& path) override {
    return fs_.Contents(Windows(path)).value_or("<missing>");
  }
  bool Exists(const std::string& path) override { return fs_.Contains(Windows(path)); }
  void MakeDir(const std::string& path) override { fs_.AddDirectory(Windows(path)); }
  void Remove(const std::string& path) override {
    if (path.size() == 1) {
      fs_.RemoveMedium(path[0]);
    } else {
      fs_.Remove(Windows(path));
    }
  }
  void Rename(const std::string& from, const std::string& to) override {
    fs_.Rename(Windows(from), Windows(to));
  }
  bool Link(const std::string& path, const std::string& target) override {
    fs_.AddLink(Windows(path), Windows(target));
    return true;
  }

 private:
  // "c/a/b" as "C:\\a\\b" in the code page.
  std::string Windows(const std::string& path) const {
    std::string windows = code_page_.FromUtf8(path);
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) +
           ":\\" + windows.substr(std::min<size_t>(2, windows.size()));
  }

  CodePage code_page_;
  MemoryFileSystem fs_;
};

struct Implementation {
  const char* name;
  std::function<std::unique_ptr<Backing>()> make;
};

class FileSystemContract : public ::testing::TestWithParam<Implementation> {
 protected:
  FileSystemContract() : backing_(GetParam().make()), fs_(&backing_->fs()) {}

  // Writes a file under drive C, behind the file system's back.
  void Write(const std::string& relative, const std::string& contents) {
    backing_->Write("c/" + relative, contents);
  }
  std::string Read(const std::string& relative) { return backing_->Read("c/" + relative); }
  WinError ErrorOf(const Status& status) { return status.win_error(); }
  template <class T>
  WinError ErrorOf(const Result<T>& result) {
    return result.ok() ? WinError::Success : result.status().win_error();
  }
  std::vector<std::string> Names(const std::string& pattern) {
    std::vector<std::string> names;
    auto found = fs_->FindFiles(pattern);
    if (found.ok()) {
      for (const auto& entry : *found) names.push_back(entry.name);
    }
    return names;
  }

  std::unique_ptr<Backing> backing_;
  FileSystem* fs_;
};

TEST_P(FileSystemContract, TranslatesPathsWithoutRegardToCase) {
  Write("code/Read_Me.txt", "hello");
  Write("Books/a.txt", "a");
  struct Case {
    const char* path;
    WinError expected;
  } cases[] = {
      {"C:\\CODE\\READ_ME.TXT", WinError::Success},
      {"C:\\..\\..\\code\\read_me.txt", WinError::Success},  // '..' stops at the root
      {"code\\read_me.txt", WinError::Success},              // relative to C:\ .
      {"C:\\code\\missing.txt", WinError::FileNotFound},
      {"C:\\nodir\\read_me.txt", WinError::PathNotFound},
      {"C:\\code\\read_me.txt\\x", WinError::PathNotFound},  // a file on the way
      {"Q:\\code\\read_me.txt", WinError::PathNotFound},     // unmapped drive
      {"\\\\server\\share\\read_me.txt", WinError::PathNotFound},
      {"C:\\code\\read*.txt", WinError::InvalidName},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(fs_->GetAttributes(c.path)), c.expected) << c.path;
  }
  auto contents = ReadFileContents(*fs_, "C:\\CODE\\READ_ME.TXT", 100);
  ASSERT_TRUE(contents.ok());
  EXPECT_EQ(*contents, "hello");
}

TEST_P(FileSystemContract, ExactMatchWinsOverOtherCase) {
  Write("dir/name.txt", "lower");
  Write("dir/NAME.TXT", "upper");
  if (Read("dir/name.txt") != "lower") GTEST_SKIP() << "the host's names ignore case";
  Write("dir/Name.Txt", "mixed");
  EXPECT_EQ(*ReadFileContents(*fs_, "C:\\dir\\NAME.TXT", 100), "upper");
  EXPECT_EQ(*ReadFileContents(*fs_, "C:\\dir\\name.txt", 100), "lower");
  EXPECT_EQ(*ReadFileContents(*fs_, "C:\\dir\\Name.Txt", 100), "mixed");
  // No exact match: one of them, the same every time (the first in byte order).
  EXPECT_EQ(*ReadFileContents(*fs_, "C:\\dir\\nAmE.tXt", 100), "upper");
}

TEST_P(FileSystemContract, NamesConvertBetweenCodePageAndUtf8) {
  backing_->Write(
      "c/\xC3\x9C"
      "bungen/caf\xC3\xA9.txt",
      "x");  // "Übungen/café.txt" in UTF-8
  auto info = fs_->GetFileInfo(
      "C:\\\xFC"
      "BUNGEN\\CAF\xC9.TXT");  // 1252, other case
  ASSERT_TRUE(info.ok()) << info.status().ToString();
  EXPECT_EQ(info->name, "caf\xE9.txt");
  EXPECT_EQ(Names("C:\\*"), (std::vector<std::string>{"\xDC"
                                                      "bungen"}));
}

TEST_P(FileSystemContract, CurrentDirectoryIsVirtual) {
  Write("Books/Part1/a.txt", "a");
  char host_before[4096];
  ASSERT_NE(getcwd(host_before, sizeof(host_before)), nullptr);

  EXPECT_TRUE(fs_->ChangeDirectory("books\\part1").ok());
  EXPECT_EQ(fs_->CurrentDirectory(), "C:\\books\\part1");
  EXPECT_TRUE(FileExists(*fs_, "A.TXT"));
  EXPECT_EQ(fs_->FullPathName("..\\b.txt"), "C:\\books\\b.txt");
  EXPECT_TRUE(fs_->ChangeDirectory("E:\\").ok());
  EXPECT_EQ(fs_->CurrentDirectory(), "E:\\");

  EXPECT_EQ(ErrorOf(fs_->ChangeDirectory("C:\\missing")), WinError::FileNotFound);
  EXPECT_EQ(ErrorOf(fs_->ChangeDirectory("C:\\Books\\Part1\\a.txt")), WinError::Directory);
  EXPECT_EQ(fs_->CurrentDirectory(), "E:\\");

  char host_after[4096];
  ASSERT_NE(getcwd(host_after, sizeof(host_after)), nullptr);
  EXPECT_STREQ(host_before, host_after);
}

TEST_P(FileSystemContract, FindFilesMatchesWildcards) {
  Write("src/README", "");
  Write("src/setup.ini", "");
  Write("src/Setup.txt", "");
  Write("src/notes.text", "");
  backing_->MakeDir("c/src/Sub");
  struct Case {
    const char* pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"C:\\src\\*.*", {".", "..", "README", "setup.ini", "Setup.txt", "Sub", "notes.text"}},
      {"C:\\src\\SETUP.*", {"setup.ini", "Setup.txt"}},
      {"C:\\src\\*.", {".", "..", "README", "Sub"}},
      {"C:\\src\\readme", {"README"}},  // no wildcard: the entry itself, as it is spelt
      {"C:\\*.*", {"src"}},             // a drive root has no "." or ".."
      {"C:\\src\\Sub\\*.*", {".", ".."}},
  };
  for (const auto& c : cases) {
    auto names = Names(c.pattern);
    std::sort(names.begin(), names.end());
    auto expected = c.names;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected) << c.pattern;
    // The same without "." and "..", and not found when nothing else is there.
    std::erase_if(expected, [](const std::string& name) { return name == "." || name == ".."; });
    auto without_dots = fs_->FindFilesWithoutDots(c.pattern);
    names.clear();
    if (without_dots.ok()) {
      for (const FindData& entry : *without_dots) names.push_back(entry.name);
    } else {
      EXPECT_EQ(without_dots.status().win_error(), WinError::FileNotFound) << c.pattern;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, expected) << c.pattern << " without dots";
  }
  EXPECT_EQ(ErrorOf(fs_->FindFiles("C:\\src\\*.zip")), WinError::FileNotFound);
  EXPECT_EQ(ErrorOf(fs_->FindFiles("C:\\nodir\\*.*")), WinError::PathNotFound);
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\SRC").ok());
  EXPECT_EQ(Names("*.ini"), (std::vector<std::string>{"setup.ini"}));
}

TEST_P(FileSystemContract, FindFilesReportsEntryData) {
  Write("d/file.bin", std::string(1234, 'x'));
  backing_->MakeDir("c/d/sub");
  auto found = fs_->FindFiles("C:\\D\\*.*");
  ASSERT_TRUE(found.ok());
  ASSERT_EQ(found->size(), 4u);
  const FindData& file = (*found)[2];
  EXPECT_EQ(file.name, "file.bin");
  EXPECT_EQ(file.size, 1234u);
  EXPECT_FALSE(file.IsDirectory());
  EXPECT_GT(file.last_write_time, FILETIME_UNIX_EPOCH);
  EXPECT_TRUE((*found)[3].IsDirectory());
  EXPECT_EQ((*found)[3].size, 0u);
}

TEST_P(FileSystemContract, AttributesRoundTrip) {
  Write("f.txt", "x");
  // A new file has no attributes, but the archive bit where the host keeps one (Windows).
  const uint32_t fresh = *fs_->GetAttributes("C:\\f.txt");
  ASSERT_TRUE(fresh == ATTRIB_NORMAL || fresh == ATTRIB_ARCHIVE) << fresh;
  EXPECT_EQ(*fs_->GetAttributes("C:\\"), ATTRIB_DIRECTORY);
  EXPECT_EQ(ErrorOf(fs_->SetFileTimes("C:\\g.txt", 0, 0, FILETIME_UNIX_EPOCH)),
            WinError::FileNotFound);

  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", ATTRIB_READONLY).ok());
  if (*fs_->GetAttributes("C:\\f.txt") == (ATTRIB_READONLY | ATTRIB_ARCHIVE)) {
    GTEST_SKIP() << "the archive bit cannot be cleared on this file system";
  }
  EXPECT_EQ(*fs_->GetAttributes("C:\\f.txt"), ATTRIB_READONLY);
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", 0).ok());
  EXPECT_EQ(*fs_->GetAttributes("C:\\f.txt"), ATTRIB_NORMAL);

  const uint32_t all = ATTRIB_READONLY | ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE;
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", all | ATTRIB_DIRECTORY).ok());
  const uint32_t got = *fs_->GetAttributes("C:\\f.txt");
  if (got == ATTRIB_READONLY) GTEST_SKIP() << "no user extended attributes on this file system";
  EXPECT_EQ(got, all);
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", ATTRIB_ARCHIVE).ok());
  EXPECT_EQ(*fs_->GetAttributes("C:\\f.txt"), ATTRIB_ARCHIVE);
}

TEST_P(FileSystemContract, OpenForReadReadsAndRefusesDirectories) {
  Write("f.txt", "contents");
  auto file = fs_->OpenForRead("C:\\F.TXT");
  ASSERT_TRUE(file.ok());
  EXPECT_EQ((*file)->Size(), 8u);
  char buffer[16];
  EXPECT_EQ(*(*file)->Read(buffer, 3), 3u);
  EXPECT_EQ(std::string(buffer, 3), "con");
  EXPECT_EQ(ErrorOf(fs_->OpenForRead("C:\\")), WinError::AccessDenied);
  EXPECT_EQ(ErrorOf(fs_->OpenForRead("C:\\g.txt")), WinError::FileNotFound);
  EXPECT_EQ(*ReadFileContents(*fs_, "C:\\f.txt", 4), "cont");
}

TEST_P(FileSystemContract, CopyReplacesUnlessToldNotTo) {
  Write("src.txt", "new contents");
  Write("dst.txt", "old");
  const FileTime stamp = FILETIME_UNIX_EPOCH + 900000000ULL * 10000000ULL;
  ASSERT_TRUE(fs_->SetFileTimes("C:\\src.txt", 0, 0, stamp).ok());

  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\src.txt", "C:\\DST.TXT", true)), WinError::FileExists);
  EXPECT_EQ(Read("dst.txt"), "old");
  ASSERT_TRUE(fs_->CopyFileTo("C:\\SRC.TXT", "C:\\DST.TXT", false).ok());
  EXPECT_EQ(Read("dst.txt"), "new contents");
  EXPECT_FALSE(backing_->Exists("c/DST.TXT"));  // the existing name is replaced, not a twin
  EXPECT_EQ(fs_->GetFileInfo("C:\\dst.txt")->last_write_time, stamp);

  EXPECT_EQ(Names("C:\\*.*"), (std::vector<std::string>{"dst.txt", "src.txt"}));
}

TEST_P(FileSystemContract, CopyKeepsAttributesAndRefusesReadOnlyDestinations) {
  Write("src.txt", "x");
  Write("ro.txt", "keep");
  ASSERT_TRUE(fs_->SetAttributes("C:\\src.txt", ATTRIB_READONLY).ok());
  ASSERT_TRUE(fs_->CopyFileTo("C:\\src.txt", "C:\\copy.txt", false).ok());
  EXPECT_EQ(*fs_->GetAttributes("C:\\copy.txt") & ATTRIB_READONLY, ATTRIB_READONLY);

  ASSERT_TRUE(fs_->SetAttributes("C:\\ro.txt", ATTRIB_READONLY).ok());
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\src.txt", "C:\\ro.txt", false)), WinError::AccessDenied);
  EXPECT_EQ(Read("ro.txt"), "keep");
  backing_->MakeDir("c/dir");
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\src.txt", "C:\\dir", false)), WinError::AccessDenied);
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\dir", "C:\\x.txt", false)), WinError::AccessDenied);
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\none.txt", "C:\\x.txt", false)), WinError::FileNotFound);
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\src.txt", "C:\\nodir\\x.txt", false)),
            WinError::PathNotFound);
}

// The section copy's plain copy: contents and write time, none of the attributes, new or
// replacing, and the source keeps its own.
TEST_P(FileSystemContract, PlainCopyLeavesNoAttributes) {
  Write("probe.txt", "x");
  ASSERT_TRUE(fs_->SetAttributes("C:\\probe.txt", 0).ok());
  if (*fs_->GetAttributes("C:\\probe.txt") != ATTRIB_NORMAL) {
    GTEST_SKIP() << "the archive bit cannot be cleared on this file system";
  }
  const FileTime stamp = FILETIME_UNIX_EPOCH + 900000000ULL * 10000000ULL;
  for (const uint32_t attributes : {uint32_t{0}, uint32_t{ATTRIB_READONLY},
                                    uint32_t{ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE}}) {
    for (const bool is_new : {true, false}) {
      const std::string case_name = std::to_string(attributes) + (is_new ? " new" : " replacing");
      Write("src.txt", "plain");
      Write("old.txt", "old");
      ASSERT_TRUE(fs_->SetFileTimes("C:\\src.txt", 0, 0, stamp).ok());
      ASSERT_TRUE(fs_->SetAttributes("C:\\src.txt", attributes).ok());
      const std::string to = is_new ? "C:\\new.txt" : "C:\\OLD.TXT";
      ASSERT_TRUE(fs_->CopyPlainFile("C:\\src.txt", to, is_new).ok()) << case_name;
      EXPECT_EQ(Read(is_new ? "new.txt" : "old.txt"), "plain") << case_name;
      auto copy = fs_->GetFileInfo(to);
      ASSERT_TRUE(copy.ok()) << case_name;
      EXPECT_EQ(copy->attributes, uint32_t{ATTRIB_NORMAL}) << case_name;
      EXPECT_EQ(copy->last_write_time, stamp) << case_name;
      EXPECT_EQ(*fs_->GetAttributes("C:\\src.txt"), attributes ? attributes : ATTRIB_NORMAL)
          << case_name;
      ASSERT_TRUE(fs_->SetAttributes("C:\\src.txt", 0).ok());
      fs_->RemoveFile(to);
    }
  }
}

// Replacement and the write time are checked above; here only the contents.
TEST_P(FileSystemContract, CopiesContentsOfAnySize) {
  for (size_t size : {size_t{0}, size_t{1}, size_t{128 * 1024 + 1}, size_t{(3 << 20) + 7}}) {
    std::string contents(size, '\0');
    for (size_t i = 0; i < size; ++i) contents[i] = static_cast<char>(i * 7 + i / 251);
    Write("src.bin", contents);
    ASSERT_TRUE(fs_->CopyFileTo("C:\\src.bin", "C:\\new.bin", true).ok()) << size;
    EXPECT_EQ(Read("new.bin"), contents) << size;
    ASSERT_TRUE(fs_->RemoveFile("C:\\new.bin").ok());
  }
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"src.bin"});  // nothing else left
}

TEST_P(FileSystemContract, CaseMatchingSeesChangesMadeBehindItsBack) {
  Write("src.txt", "copy");
  Write("d/first.txt", "x");
  // Each step changes the directory on the host, then copies to a name in another case.
  struct Step {
    const char* what;
    std::function<void()> change;
    const char* destination;
    const char* host_name;  // where the copy must land
  } steps[] = {
      {"a new name", [] {}, "C:\\d\\new.txt", "new.txt"},
      {"another process creates a variant", [&] { Write("d/OTHER.TXT", "theirs"); },
       "C:\\d\\other.txt", "OTHER.TXT"},
      {"and renames ours", [&] { backing_->Rename("c/d/new.txt", "c/d/Renamed.txt"); },
       "C:\\d\\RENAMED.TXT", "Renamed.txt"},
      {"and replaces the directory",
       [&] {
         backing_->Remove("c/d");
         Write("d/Fresh.txt", "theirs");
       },
       "C:\\d\\fresh.txt", "Fresh.txt"},
  };
  for (const Step& step : steps) {
    step.change();
    ASSERT_TRUE(fs_->CopyFileTo("C:\\src.txt", step.destination, false).ok()) << step.what;
    EXPECT_EQ(Read(std::string("d/") + step.host_name), "copy") << step.what;
    auto found = fs_->FindFiles(step.destination);
    ASSERT_TRUE(found.ok()) << step.what;
    EXPECT_EQ(found->size(), 1u) << step.what;  // no twin in another case
  }
  EXPECT_TRUE(fs_->MakeDirectory("C:\\D\\sub").ok());
  Write("d/sub/Late.txt", "theirs");
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\src.txt", "C:\\d\\SUB\\late.TXT", true)),
            WinError::FileExists);
}

TEST_P(FileSystemContract, EntryInfoFollowsNoLink) {
  Write("Dir/File.txt", "abc");
  auto file = fs_->GetEntryInfo("C:\\dir\\FILE.TXT");
  ASSERT_TRUE(file.ok()) << file.status().ToString();
  EXPECT_EQ(file->name, "File.txt");
  EXPECT_EQ(file->size, 3u);
  EXPECT_EQ(file->attributes & (ATTRIB_REPARSE_POINT | ATTRIB_DIRECTORY), 0u);
  auto directory = fs_->GetEntryInfo("C:\\Dir");
  ASSERT_TRUE(directory.ok());
  EXPECT_TRUE(directory->IsDirectory());
  EXPECT_EQ(ErrorOf(fs_->GetEntryInfo("C:\\Dir\\none.txt")), WinError::FileNotFound);
  EXPECT_EQ(ErrorOf(fs_->GetEntryInfo("C:\\none\\none.txt")), WinError::PathNotFound);

  if (!backing_->Link("c/to-dir", "c/Dir") || !backing_->Link("c/to-file", "c/Dir/File.txt")) {
    GTEST_SKIP() << "the host makes no symbolic links";
  }
  auto link = fs_->GetEntryInfo("C:\\to-file");
  ASSERT_TRUE(link.ok()) << link.status().ToString();
  EXPECT_NE(link->attributes & ATTRIB_REPARSE_POINT, 0u);
  auto dir_link = fs_->GetEntryInfo("C:\\to-dir");
  ASSERT_TRUE(dir_link.ok());
  EXPECT_NE(dir_link->attributes & ATTRIB_REPARSE_POINT, 0u);
  EXPECT_FALSE(dir_link->IsDirectory());
  EXPECT_EQ(ErrorOf(fs_->GetEntryInfo("C:\\to-dir\\File.txt")), WinError::StoppedOnSymlink);
}

TEST_P(FileSystemContract, RemoveEntryRemovesOneEntryAndFollowsNoLink) {
  Write("Dir/File.txt", "abc");
  Write("Dir/ReadOnly.txt", "r");
  Write("Full/Kept.txt", "k");
  backing_->MakeDir("c/Empty");
  const bool links =
      backing_->Link("c/to-dir", "c/Dir") && backing_->Link("c/to-file", "c/Dir/File.txt");
  ASSERT_TRUE(fs_->SetAttributes("C:\\Dir\\ReadOnly.txt", ATTRIB_READONLY).ok());
  const struct {
    const char* path;
    WinError error;
    bool through_link;
  } cases[] = {
      {"C:\\to-dir\\File.txt", WinError::StoppedOnSymlink, true},
      {"C:\\to-file", WinError::Success, true},
      {"C:\\to-dir", WinError::Success, true},
      {"C:\\DIR\\readonly.txt", WinError::Success, false},
      {"C:\\Full", WinError::DirNotEmpty, false},
      {"C:\\empty", WinError::Success, false},
      {"C:\\Dir\\none.txt", WinError::FileNotFound, false},
      {"C:\\none\\none.txt", WinError::PathNotFound, false},
      {"C:\\", WinError::AccessDenied, false},
  };
  for (const auto& c : cases) {
    if (c.through_link && !links) continue;
    EXPECT_EQ(ErrorOf(fs_->RemoveEntry(c.path)), c.error) << c.path;
  }
  // Links go, never what they point at.
  EXPECT_EQ(Read("Dir/File.txt"), "abc");
  EXPECT_FALSE(backing_->Exists("c/to-file"));
  EXPECT_FALSE(backing_->Exists("c/to-dir"));
  EXPECT_FALSE(backing_->Exists("c/Dir/ReadOnly.txt"));
  EXPECT_FALSE(backing_->Exists("c/Empty"));
  EXPECT_EQ(Read("Full/Kept.txt"), "k");
}

TEST_P(FileSystemContract, MoveNeverReplaces) {
  Write("a.txt", "a");
  Write("b.txt", "b");
  Write("sub/x.txt", "x");
  EXPECT_EQ(ErrorOf(fs_->RenameFile("C:\\a.txt", "C:\\B.TXT")), WinError::AlreadyExists);
  EXPECT_EQ(Read("b.txt"), "b");
  ASSERT_TRUE(fs_->RenameFile("C:\\a.txt", "C:\\sub\\moved.txt").ok());
  EXPECT_EQ(Read("sub/moved.txt"), "a");
  EXPECT_FALSE(backing_->Exists("c/a.txt"));
  ASSERT_TRUE(fs_->RenameFile("C:\\b.txt", "C:\\B.TXT").ok());  // a change of case renames
  EXPECT_EQ(Read("B.TXT"), "b");
  EXPECT_FALSE(backing_->Exists("c/b.txt"));
  ASSERT_TRUE(fs_->RenameFile("C:\\B.TXT", "F:\\b.txt").ok());  // to another drive
  EXPECT_EQ(backing_->Read("f/b.txt"), "b");
  EXPECT_EQ(ErrorOf(fs_->RenameFile("C:\\none", "C:\\x")), WinError::FileNotFound);
  EXPECT_EQ(ErrorOf(fs_->RenameFile("C:\\sub\\x.txt", "C:\\no\\x")), WinError::PathNotFound);
}

TEST_P(FileSystemContract, NeverLosesDataToItsOwnArguments) {
  Write("dir/sub/f.txt", "f");
  Write("a.txt", "a");
  EXPECT_EQ(ErrorOf(fs_->RenameFile("C:\\dir", "C:\\DIR\\sub\\dir")), WinError::InvalidParameter);
  EXPECT_EQ(Read("dir/sub/f.txt"), "f");
  ASSERT_TRUE(fs_->CopyFileTo("C:\\a.txt", "C:\\A.TXT", false).ok());  // onto itself
  EXPECT_EQ(Read("a.txt"), "a");
  auto file = fs_->CreateForWrite("C:\\a.txt");
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE((*file)->Write("b", 1).ok());
  ASSERT_TRUE((*file)->Commit().ok());
  EXPECT_EQ(ErrorOf((*file)->Write("c", 1)), WinError::InvalidParameter);
  EXPECT_EQ(ErrorOf((*file)->Commit()), WinError::InvalidParameter);
  EXPECT_EQ(Read("a.txt"), "b");
}

TEST_P(FileSystemContract, CreateDirectoryOneLevelAtATime) {
  EXPECT_TRUE(fs_->MakeDirectory("C:\\New").ok());
  EXPECT_EQ(*fs_->GetAttributes("C:\\new"), ATTRIB_DIRECTORY);
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("C:\\NEW")), WinError::AlreadyExists);
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("C:\\")), WinError::AlreadyExists);
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("C:\\a\\b")), WinError::PathNotFound);
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("Q:\\a")), WinError::PathNotFound);
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("\\\\server\\share\\a")), WinError::PathNotFound);
  EXPECT_TRUE(fs_->MakeDirectory("C:\\new\\\xDC"
                                 "bungen")
                  .ok());
  EXPECT_TRUE(
      backing_->Exists("c/New/\xC3\x9C"
                       "bungen"));
}

TEST_P(FileSystemContract, CreateForWriteReplacesOnlyOnCommit) {
  Write("f.txt", "old");
  {
    auto file = fs_->CreateForWrite("C:\\F.TXT");
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE((*file)->Write("abandoned", 9).ok());
  }
  EXPECT_EQ(Read("f.txt"), "old");
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"f.txt"});
  {
    auto file = fs_->CreateForWrite("C:\\F.TXT");
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE((*file)->Write("new", 3).ok());
    ASSERT_TRUE((*file)->Commit().ok());
  }
  EXPECT_EQ(Read("f.txt"), "new");
  EXPECT_EQ(Names("C:\\*.*"), std::vector<std::string>{"f.txt"});
  ASSERT_TRUE(fs_->SetAttributes("C:\\f.txt", ATTRIB_READONLY).ok());
  EXPECT_EQ(ErrorOf(fs_->CreateForWrite("C:\\f.txt")), WinError::AccessDenied);
  EXPECT_EQ(ErrorOf(fs_->CreateForWrite("C:\\nodir\\f.txt")), WinError::PathNotFound);
}

TEST_P(FileSystemContract, NamesAreStoredWithoutTrailingDotsAndBlanks) {
  Write("Docs/Readme", "r");
  for (const char* path :
       {"C:\\Docs \\Readme ", "C:\\docs.\\readme.", "C:\\Docs . \\Readme. .", "C:\\Docs\\Readme"}) {
    auto info = fs_->GetFileInfo(path);
    ASSERT_TRUE(info.ok()) << path << ": " << info.status().ToString();
    EXPECT_EQ(info->name, "Readme") << path;
    EXPECT_EQ(*ReadFileContents(*fs_, path, 10), "r") << path;
  }
  auto create = [&](const std::string& path) {
    auto file = fs_->CreateForWrite(path);
    if (!file.ok()) return file.status();
    return (*file)->Commit();
  };
  struct Case {
    std::function<Status()> write;
    const char* stored;
    const char* as_written;
  } cases[] = {
      {[&] { return fs_->MakeDirectory("C:\\New "); }, "New", "New "},
      {[&] { return fs_->MakeDirectory("C:\\Docs\\Sub.. "); }, "Docs/Sub", "Docs/Sub.. "},
      {[&] { return create("C:\\Docs \\a.txt."); }, "Docs/a.txt", "Docs/a.txt."},
      {[&] { return fs_->CopyFileTo("C:\\Docs\\Readme", "C:\\Docs\\b.txt ", false); }, "Docs/b.txt",
       "Docs/b.txt "},
      {[&] { return fs_->RenameFile("C:\\Docs\\b.txt", "C:\\Docs\\c.txt . "); }, "Docs/c.txt",
       "Docs/c.txt . "},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.write().ok()) << c.stored;
    EXPECT_TRUE(backing_->Exists(std::string("c/") + c.stored)) << c.stored;
    EXPECT_FALSE(backing_->Exists(std::string("c/") + c.as_written)) << c.as_written;
  }
  EXPECT_EQ(ErrorOf(fs_->MakeDirectory("C:\\Docs\\Sub.")), WinError::AlreadyExists);
  ASSERT_TRUE(fs_->ChangeDirectory("C:\\Docs \\Sub .").ok());
  EXPECT_EQ(fs_->CurrentDirectory(), "C:\\Docs\\Sub");
}

TEST_P(FileSystemContract, RefusesNamesTheOriginalFileSystemRefuses) {
  Write("dir/file.txt", "x");
  // Reserved device names, with any case and extension; names that are only dots and blanks;
  // characters no name may hold.
  const char* refused[] = {"CON", "Nul.txt", "AUX .log", "com9.dll", "lpt9",   "...",
                           " . ", "a<b",     "a?b",      "a*b",      "a\x01z", "a\x1Fz"};
  for (const std::string name : refused) {
    const std::string path = "C:\\dir\\" + name;
    const std::function<WinError()> calls[] = {
        [&] { return ErrorOf(fs_->GetAttributes(path)); },
        [&] { return ErrorOf(fs_->OpenForRead(path)); },
        [&] { return ErrorOf(fs_->MakeDirectory(path)); },
        [&] { return ErrorOf(fs_->CreateForWrite(path)); },
        [&] { return ErrorOf(fs_->CopyFileTo("C:\\dir\\file.txt", path, false)); },
        [&] { return ErrorOf(fs_->RenameFile("C:\\dir\\file.txt", path)); },
        [&] { return ErrorOf(fs_->ChangeDirectory(path)); },
        // As a folder on the way, where a find pattern's wildcards are no wildcards either.
        [&] { return ErrorOf(fs_->GetAttributes(path + "\\file.txt")); },
        [&] { return ErrorOf(fs_->MakeDirectory(path + "\\sub")); },
        [&] { return ErrorOf(fs_->FindFiles(path + "\\*")); },
    };
    for (size_t i = 0; i < std::size(calls); ++i) {
      EXPECT_EQ(calls[i](), WinError::InvalidName) << "'" << name << "', call " << i;
    }
  }
  EXPECT_EQ(Names("C:\\dir\\*"), (std::vector<std::string>{".", "..", "file.txt"}));
  EXPECT_EQ(Read("dir/file.txt"), "x");
  // Wildcards stay wildcards in a find pattern's last name.
  EXPECT_EQ(Names("C:\\dir\\fil?.*"), (std::vector<std::string>{"file.txt"}));
  // Names that only look like device names are ordinary.
  for (const std::string name : {"CONSOLE", "COM10", "LPT", "NULL.txt", "x.CON", "AUX1x"}) {
    EXPECT_TRUE(fs_->MakeDirectory("C:\\dir\\" + name).ok()) << name;
    EXPECT_TRUE(backing_->Exists("c/dir/" + name)) << name;
  }
}

TEST_P(FileSystemContract, ADriveWithoutItsMediumIsNotReady) {
  Write("f.txt", "x");
  backing_->Remove("e");
  EXPECT_EQ(ErrorOf(fs_->GetAttributes("E:\\SETUP.INI")), WinError::NotReady);
  EXPECT_TRUE(FileExists(*fs_, "E:\\SETUP.INI"));  // only "not found" is missing
  EXPECT_EQ(ErrorOf(fs_->FindFiles("E:\\*.*")), WinError::NotReady);
  EXPECT_EQ(ErrorOf(fs_->FreeSpaceOf("E:\\")), WinError::NotReady);
  EXPECT_EQ(ErrorOf(fs_->FreeSpaceOf("D:\\")), WinError::PathNotFound);  // no drive at all
  EXPECT_EQ(fs_->DriveTypeOf("E:\\"), DriveType::CdRom);
  EXPECT_EQ(ErrorOf(fs_->CopyFileTo("C:\\f.txt", "E:\\f.txt", false)), WinError::NotReady);
}

TEST_P(FileSystemContract, ACdRomDriveRefusesEveryWrite) {
  Write("f.txt", "x");
  backing_->Write("e/SETUP.INI", "disc");
  const std::function<Status()> writes[] = {
      [&] { return fs_->CopyFileTo("C:\\f.txt", "E:\\f.txt", false); },
      [&] { return fs_->MakeDirectory("E:\\New"); },
      [&] { return fs_->MakeNewDirectory("E:\\New"); },
      [&] { return fs_->RemoveFile("E:\\SETUP.INI"); },
      [&] { return fs_->RemoveEntry("E:\\SETUP.INI"); },
      [&] { return fs_->RenameFile("E:\\SETUP.INI", "C:\\SETUP.INI"); },
      [&] { return fs_->RenameFile("C:\\f.txt", "E:\\f.txt"); },
      [&] { return fs_->SetAttributes("E:\\SETUP.INI", ATTRIB_READONLY); },
      [&] { return fs_->SetFileTimes("E:\\SETUP.INI", 0, 0, FILETIME_UNIX_EPOCH); },
      [&] { return fs_->CreateForWrite("E:\\SETUP.INI").status(); },
  };
  for (size_t i = 0; i < std::size(writes); ++i) {
    EXPECT_EQ(ErrorOf(writes[i]()), WinError::WriteProtect) << "write " << i;
  }
  EXPECT_EQ(backing_->Read("e/SETUP.INI"), "disc");
  EXPECT_FALSE(backing_->Exists("e/f.txt"));
  EXPECT_FALSE(backing_->Exists("e/New"));
  EXPECT_EQ(Read("f.txt"), "x");
}

template <class T>
std::unique_ptr<Backing> Make() {
  return std::make_unique<T>();
}

INSTANTIATE_TEST_SUITE_P(Platform, FileSystemContract,
                         ::testing::Values(Implementation{"Host", Make<HostBacking>},
                                           Implementation{"Memory", Make<MemoryBacking>}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace setup
