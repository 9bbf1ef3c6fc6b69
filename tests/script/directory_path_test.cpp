#include "script/directory_path.h"

#include <gtest/gtest.h>

#include "platform/file_system_wrapper.h"
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
      {"a\\b", {"a", "a\\b"}, true},
      {"C:a\\b", {"C:a", "C:a\\b"}, true},
      {"C:\\", {}, true},
      {"C:", {}, true},
      {"", {}, true},
      {"C:\\x\\\\y", {"C:\\x", "C:\\x\\", "C:\\x\\\\y"}, true},
      {"\\\\server\\share\\x", {}, false},
      {"\\\\", {}, false},
  };
  for (const auto& c : cases) {
    RecordingDirectories recording(&disk);
    EXPECT_EQ(CreateDirectoryPath(recording, c.path), c.result) << c.path;
    EXPECT_EQ(recording.created, c.created) << c.path;
  }
}

}  // namespace
}  // namespace setup::testing
