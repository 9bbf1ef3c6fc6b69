#include "script/directory_path.h"

#include <gtest/gtest.h>

#include "platform/file_system_wrapper.h"
#include "support/loaded_code_page.h"
#include "support/memory_file_system.h"

namespace setup::testing {
namespace {

// Records the directories asked for and creates none.
class RecordingDirectories : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;
  Status MakeDirectory(const std::string& path) override {
    created.push_back(path);
    return Status::Error(WinError::AlreadyExists, path, "recorded");
  }
  std::vector<std::string> created;
};

TEST(DirectoryPathTest, AsksForEveryPrefixAfterTheFixedPart) {
  MemoryFileSystem disk;
  disk.AddDrive('C', DriveType::Fixed);
  struct Case {
    std::string path;
    std::vector<std::string> created;
    bool result;
  };
  const Case cases[] = {
      {"C:\\a\\b\\c", {"C:\\a", "C:\\a\\b", "C:\\a\\b\\c"}, true},
      {"C:\\a\\", {"C:\\a", "C:\\a\\"}, true},  // the second is the same directory again
      {"\\a\\b", {"\\a", "\\a\\b"}, true},
      {"C:a\\b", {"C:a", "C:a\\b"}, true},
      {"C:\\", {}, true},
      {"", {}, true},
      {"C:\\x\\\\y", {"C:\\x", "C:\\x\\", "C:\\x\\\\y"}, true},
      {"\\\\server\\share\\x", {}, false},
      {"\\\\", {}, false},
  };
  const CodePage ansi;
  for (const auto& c : cases) {
    RecordingDirectories recording(&disk);
    EXPECT_EQ(CreateDirectoryPath(recording, c.path, ansi), c.result) << c.path;
    EXPECT_EQ(recording.created, c.created) << c.path;
  }
}

// '表' (0x95 0x5C) and 'ソ' (0x83 0x5C) hold no backslash: no directory is made at them.
TEST(DirectoryPathTest, SecondBytesAreNoSeparators) {
  MemoryFileSystem disk;
  disk.AddDrive('C', DriveType::Fixed);
  struct Case {
    std::string path;
    std::vector<std::string> created;
  };
  const Case cases[] = {
      {"C:\\\x95\x5C\\\x83\x5C", {"C:\\\x95\x5C", "C:\\\x95\x5C\\\x83\x5C"}},
      {"C:\\a\x95\x5C"
       "b",
       {"C:\\a\x95\x5C"
        "b"}},
      {"C:\\\x83\x61\\z", {"C:\\\x83\x61", "C:\\\x83\x61\\z"}},
  };
  const CodePage shift_jis = LoadedCodePage(932);
  for (const auto& c : cases) {
    RecordingDirectories recording(&disk);
    EXPECT_TRUE(CreateDirectoryPath(recording, c.path, shift_jis)) << c.path;
    EXPECT_EQ(recording.created, c.created) << c.path;
  }
}

}  // namespace
}  // namespace setup::testing
