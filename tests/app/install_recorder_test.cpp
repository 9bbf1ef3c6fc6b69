#include "app/install_recorder.h"

#include <gtest/gtest.h>

#include "script/content_hash.h"
#include "script/directory_path.h"
#include "support/memory_file_system.h"

namespace setup {
namespace {

using testing::MemoryFileSystem;
using Kind = RecordedEntry::Kind;

class InstallRecorderTest : public ::testing::Test {
 protected:
  InstallRecorderTest() {
    fs_.AddDrive('C', DriveType::Fixed);
    config_.m_nSections = 2;
    config_.SetSectionValue(0, KEY_PRODUCTNAME, "Book");
    config_.SetSectionValue(1, KEY_PRODUCTNAME, "Extras");
  }
  void Write(InstallRecord& record, const std::string& path, const std::string& contents,
             bool replaced = false) {
    fs_.AddFile(path, contents);
    record.FileWritten(path, replaced, std::nullopt);
  }
  // Each entry as "kind path".
  std::vector<std::string> Saved(const std::string& key) {
    std::vector<std::string> lines;
    auto record = ReadInstallRecord(fs_, InstallRecordPath("C:\\WINDOWS", key, code_page_));
    EXPECT_TRUE(record.ok()) << record.status().ToString();
    if (!record.ok()) return lines;
    const char* names[] = {"new-file", "replaced-file", "new-folder", "new-link"};
    for (const RecordedEntry& entry : *record) {
      lines.push_back(std::string(names[static_cast<int>(entry.kind)]) + " " + entry.path);
    }
    return lines;
  }

  MemoryFileSystem fs_;
  CodePage code_page_;
  SetupConfig config_;
};

TEST_F(InstallRecorderTest, RecordsWhatEachSectionMadeOrReplaced) {
  fs_.AddFile("C:\\Books\\Old.txt", "reader's");
  InstallRecorder recorder(fs_, config_, code_page_, "C:\\WINDOWS");
  config_.m_nCurrentSection = 0;
  CreateDirectoryPath(fs_, "C:\\Books\\Book", code_page_, &recorder);
  Write(recorder, "C:\\Books\\Book\\a.txt", "a");
  Write(recorder, "C:\\Books\\Old.txt", "book's", true);
  fs_.ChangeDirectory("C:\\Books\\Book");
  fs_.AddFile("C:\\Books\\Book\\b.txt", "b");
  recorder.FileWritten("b.txt", false, std::nullopt);
  // A script deletes one and renames another; a later write keeps the first one's making.
  fs_.Remove("C:\\Books\\Book\\a.txt");
  recorder.EntryRemoved("a.txt");
  fs_.Rename("C:\\Books\\Book\\b.txt", "C:\\Books\\Book\\c.txt");
  recorder.EntryMoved("b.txt", "C:\\Books\\Book\\c.txt");
  Write(recorder, "C:\\BOOKS\\BOOK\\C.TXT", "c", true);
  config_.m_nCurrentSection = 1;
  Write(recorder, "C:\\Books\\Extra.txt", "e");
  ASSERT_TRUE(recorder.Save("Book").ok());
  EXPECT_EQ(Saved("Book"), (std::vector<std::string>{"new-folder C:\\Books\\Book",
                                                     "replaced-file C:\\Books\\Old.txt",
                                                     "new-file C:\\Books\\Book\\c.txt"}));
  ASSERT_TRUE(recorder.Save("extras").ok());
  EXPECT_EQ(Saved("Extras"), std::vector<std::string>{"new-file C:\\Books\\Extra.txt"});
}

TEST_F(InstallRecorderTest, SizesTimesAndHashesAreAsTheRunLeftThem) {
  InstallRecorder recorder(fs_, config_, code_page_, "C:\\WINDOWS");
  fs_.AddFile("C:\\Book\\a.txt", "abc");
  // A hash computed on the way is taken as it is.
  recorder.FileWritten("C:\\Book\\a.txt", false, 42);
  Write(recorder, "C:\\Book\\b.txt", "xyz");
  ASSERT_TRUE(recorder.Save("Book").ok());
  // A script then changes the file's time; saving again takes it.
  fs_.SetFileTimes("C:\\Book\\b.txt", 0, 0, 5);
  ASSERT_TRUE(recorder.SaveAgain().empty());
  auto record = ReadInstallRecord(fs_, InstallRecordPath("C:\\WINDOWS", "Book", code_page_));
  ASSERT_TRUE(record.ok());
  ASSERT_EQ(record->size(), 2u);
  EXPECT_EQ((*record)[0].hash, 42u);
  EXPECT_EQ((*record)[0].size, 3u);
  EXPECT_EQ((*record)[1].write_time, 5u);
  ContentHash xyz;
  xyz.Add("xyz", 3);
  EXPECT_EQ((*record)[1].hash, xyz.value());
}

TEST_F(InstallRecorderTest, AnEarlierRecordOfTheEntryIsMerged) {
  {
    InstallRecorder first(fs_, config_, code_page_, "C:\\WINDOWS");
    CreateDirectoryPath(fs_, "C:\\Book", code_page_, &first);
    Write(first, "C:\\Book\\a.txt", "a");
    Write(first, "C:\\Book\\only-then.txt", "o");
    ASSERT_TRUE(first.Save("Book").ok());
  }
  InstallRecorder second(fs_, config_, code_page_, "C:\\WINDOWS");
  CreateDirectoryPath(fs_, "C:\\Book", code_page_, &second);
  Write(second, "C:\\Book\\a.txt", "a2", true);
  ASSERT_TRUE(second.Save("Book").ok());
  // The folder and the file the first run made stay made.
  EXPECT_EQ(Saved("Book"),
            (std::vector<std::string>{"new-folder C:\\Book", "new-file C:\\Book\\only-then.txt",
                                      "new-file C:\\Book\\a.txt"}));
}

}  // namespace
}  // namespace setup
