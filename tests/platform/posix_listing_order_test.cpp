// Names that agree in their first bytes are listed in the same order as short ones: without
// regard to case in the code page's byte order, a name before the longer ones it begins,
// names equal but for case in byte order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix_file_system.h"
#include "support/temp_dir.h"

namespace setup {
namespace {

TEST(PosixListingOrder, LongNamesSharingTheirBeginningsSortByTheirWholeText) {
  testing::TempDir dir;
  for (const char* name : {"Chapter_", "ChapterZ\xC3\xA9", "Chapters", "Chapter2.txt",
                           "Chapter10.txt", "chapter1.txt", "Chapter1", "CHAPTER1", "CHAPTER"}) {
    dir.WriteFile(std::string("c/") + name, "");
  }
  DriveMap drives;
  drives.Map('C', dir.Join("c"), DriveType::Fixed);
  PosixFileSystem fs(drives, CodePage(), "C:\\");
  auto found = fs.FindFilesWithoutDots("C:\\*.*");
  ASSERT_TRUE(found.ok());
  std::vector<std::string> names;
  for (const FindData& entry : *found) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"CHAPTER", "CHAPTER1", "Chapter1", "chapter1.txt",
                                             "Chapter10.txt", "Chapter2.txt", "Chapters",
                                             "ChapterZ\xE9", "Chapter_"}));
}

}  // namespace
}  // namespace setup
