#include "install/install_record_file.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"
#include "support/memory_file_system.h"

namespace setup {
namespace {

using Kind = RecordedEntry::Kind;

TEST(InstallRecordFileTest, WritesOneLinePerEntryAndReadsItBack) {
  const std::vector<RecordedEntry> entries = {
      {Kind::NewFolder, 0, 0, 0, "C:\\Quillby"},
      {Kind::NewFile, 7, 133456789012345678ULL, 0xaf63dc4c8601ec8cULL, "C:\\Quillby\\Read Me.txt"},
      {Kind::ReplacedFile, 0, 1, 0xcbf29ce484222325ULL, "C:\\Quillby\\Old.txt"},
      {Kind::NewLink, 24, 5, 0, "C:\\Desktop\\Quillby.Lnk"},
  };
  const std::string text = FormatInstallRecord(entries);
  EXPECT_EQ(text,
            "SETUP INSTALL RECORD 1\n"
            "new-folder - - - C:\\Quillby\n"
            "new-file 7 133456789012345678 af63dc4c8601ec8c C:\\Quillby\\Read Me.txt\n"
            "replaced-file 0 1 cbf29ce484222325 C:\\Quillby\\Old.txt\n"
            "new-link 24 5 - C:\\Desktop\\Quillby.Lnk\n");
  auto read = ParseInstallRecord(text);
  ASSERT_TRUE(read.ok()) << read.status().ToString();
  EXPECT_EQ(*read, entries);
}

TEST(InstallRecordFileTest, ReportsTheFirstDamagedLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "line 1: not an install record"},
      {"SETUP INSTALL RECORD 2\n", "line 1: not an install record"},
      {"SETUP INSTALL RECORD 1", "line 1: the line does not end"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 2 0000000000000001 C:\\a",
       "line 2: the line does not end"},
      {"SETUP INSTALL RECORD 1\nnew-thing - - - C:\\a\n", "line 2: unknown kind 'new-thing'"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 2 0000000000000001\n", "line 2: not a full path ''"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 2 0000000000000001 a.txt\n",
       "line 2: not a full path 'a.txt'"},
      {"SETUP INSTALL RECORD 1\nnew-file x 2 0000000000000001 C:\\a\n", "line 2: bad size 'x'"},
      {"SETUP INSTALL RECORD 1\nnew-file -1 2 0000000000000001 C:\\a\n", "line 2: bad size '-1'"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 - 0000000000000001 C:\\a\n", "line 2: bad time '-'"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 2 123 C:\\a\n", "line 2: bad hash '123'"},
      {"SETUP INSTALL RECORD 1\nnew-file 1 2 000000000000000g C:\\a\n",
       "line 2: bad hash '000000000000000g'"},
      {"SETUP INSTALL RECORD 1\nnew-folder 1 - - C:\\a\n", "line 2: bad size '1'"},
      {"SETUP INSTALL RECORD 1\nnew-link 1 2 0000000000000001 C:\\a\n",
       "line 2: bad hash '0000000000000001'"},
      {"SETUP INSTALL RECORD 1\nnew-folder - - - C:\\a\tb\n",
       "line 2: a control character in the path"},
      {"SETUP INSTALL RECORD 1\r\nnew-folder - - - C:\\a\r\n\nx\n", "line 3: unknown kind ''"},
  };
  for (const auto& c : cases) {
    auto read = ParseInstallRecord(c.text);
    ASSERT_FALSE(read.ok()) << c.text;
    EXPECT_EQ(read.status().win_error(), WinError::InvalidData);
    EXPECT_EQ(read.status().message(), c.message) << c.text;
  }
}

// Shift-JIS keys (code page 932, Windows directory "C:\WINDOWS\能"): a two-byte character is
// kept whole, its second byte 0x5C ('表'), 0x7C or 'a' ('ヂ' 0x83 0x61) included, so that two
// products never share a record; a first byte without its second is escaped.
TEST(InstallRecordFileTest, RecordNamesHoldAnyKey) {
  const struct {
    int code_page;
    const char* key;
    const char* path;
  } cases[] = {
      {1252, "Quillby Reader", "C:\\WINDOWS\\SETUPREC\\Quillby Reader.txt"},
      {1252, "A/B: C?", "C:\\WINDOWS\\SETUPREC\\A%2FB%3A C%3F.txt"},
      {1252, "100%", "C:\\WINDOWS\\SETUPREC\\100%25.txt"},
      {1252, "Dots...", "C:\\WINDOWS\\SETUPREC\\Dots..%2E.txt"},
      {1252, "con", "C:\\WINDOWS\\SETUPREC\\%63on.txt"},
      {932, "\x95\x5C", "C:\\WINDOWS\\\x94\x5C\\SETUPREC\\\x95\x5C.txt"},
      {932, "\x96\x7C", "C:\\WINDOWS\\\x94\x5C\\SETUPREC\\\x96\x7C.txt"},
      {932, "\x83\x61:", "C:\\WINDOWS\\\x94\x5C\\SETUPREC\\\x83\x61%3A.txt"},
      {932, "A\x95", "C:\\WINDOWS\\\x94\x5C\\SETUPREC\\A%95.txt"},
      {932, "\x95%", "C:\\WINDOWS\\\x94\x5C\\SETUPREC\\%95%25.txt"},
  };
  const CodePage shift_jis = testing::LoadedCodePage(932);
  for (const auto& c : cases) {
    const bool dbcs = c.code_page == 932;
    EXPECT_EQ(InstallRecordPath(dbcs ? "C:\\WINDOWS\\\x94\x5C" : "C:\\WINDOWS\\", c.key,
                                dbcs ? shift_jis : CodePage()),
              c.path);
  }
}

TEST(InstallRecordFileTest, WritesAtomicallyIntoItsFolder) {
  testing::MemoryFileSystem fs;
  fs.AddDrive('C', DriveType::Fixed);
  const std::string path = InstallRecordPath("C:\\WINDOWS", "Book", CodePage());
  EXPECT_EQ(ReadInstallRecord(fs, path).status().win_error(), WinError::PathNotFound);
  const std::vector<RecordedEntry> entries = {{Kind::NewFolder, 0, 0, 0, "C:\\Book"}};
  ASSERT_TRUE(WriteInstallRecord(fs, path, entries, CodePage()).ok());
  auto read = ReadInstallRecord(fs, path);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(*read, entries);
  fs.AddFile(path, "garbage\n");
  EXPECT_EQ(ReadInstallRecord(fs, path).status().message(), "line 1: not an install record");
}

}  // namespace
}  // namespace setup
