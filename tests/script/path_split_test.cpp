#include "script/path_split.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"

namespace setup::testing {
namespace {

TEST(SplitPathTest, CutsIntoDriveDirectoryNameAndExtension) {
  struct Case {
    int code_page;
    std::string path;
    PathParts parts;
  } cases[] = {
      {1252, "C:\\dir\\a.b.txt", {"C:", "\\dir\\", "a.b", ".txt"}},
      {1252, "C:a.txt", {"C:", "", "a", ".txt"}},
      {1252, "D:\\my.dir\\README", {"D:", "\\my.dir\\", "README", ""}},
      {1252, "x/y", {"", "x/", "y", ""}},
      {1252, "", {"", "", "", ""}},
      // '表' and 'ソ' end in 0x5C, 'ヂ' in 'a': neither is a separator nor ends a name.
      {932, "C:\\\x95\x5C\\\x83\x5C.txt", {"C:", "\\\x95\x5C\\", "\x83\x5C", ".txt"}},
      {932, "C:\\\x95\x5C", {"C:", "\\", "\x95\x5C", ""}},
      {932, "D:\\\x83\x61.\x83\x61", {"D:", "\\", "\x83\x61", ".\x83\x61"}},
      {1252, "C:\\\x95\x5C", {"C:", "\\\x95\\", "", ""}},
  };
  for (const auto& c : cases) {
    const PathParts parts = SplitPath(c.path, LoadedCodePage(c.code_page));
    EXPECT_EQ(parts.drive, c.parts.drive) << c.path;
    EXPECT_EQ(parts.directory, c.parts.directory) << c.path;
    EXPECT_EQ(parts.name, c.parts.name) << c.path;
    EXPECT_EQ(parts.extension, c.parts.extension) << c.path;
  }
}

}  // namespace
}  // namespace setup::testing
