#include "platform/windows_path.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(WindowsPathTest, FullPathAgainstTheCurrentDirectory) {
  struct Case {
    const char* path;
    const char* current;
    const char* full;
  } cases[] = {
      {"C:\\a\\b", "D:\\x", "C:\\a\\b"},
      {"c:/a//b/", "D:\\x", "C:\\a\\b\\"},
      {"a\\b", "D:\\x", "D:\\x\\a\\b"},
      {".\\SETUP.INI", "D:\\", "D:\\SETUP.INI"},
      {"..\\..\\..\\a", "D:\\x\\y", "D:\\a"},
      {"C:\\..", "D:\\", "C:\\"},
      {"\\a", "D:\\x", "D:\\a"},
      {"D:a", "D:\\x", "D:\\x\\a"},
      {"C:a", "D:\\x", "C:\\a"},
      {"C:", "D:\\x", "C:\\"},
      {"", "D:\\x", "D:\\x"},
      {"\\\\server\\share\\x\\..\\y", "D:\\", "\\\\server\\share\\y"},
      {"a", "", "C:\\a"},
      // Paths already in full form, and plain names below a current directory in full form.
      {"c:\\Books\\Read Me.txt", "D:\\x", "C:\\Books\\Read Me.txt"},
      {"C:\\a\\", "D:\\x", "C:\\a\\"},
      {"C:\\a\\.\\b", "D:\\x", "C:\\a\\b"},
      {"C:\\a\\\\b", "D:\\x", "C:\\a\\b"},
      {"a\\b\\", "d:\\x", "D:\\x\\a\\b\\"},
      {"a", "D:\\x\\", "D:\\x\\a"},
      {"a", "D:\\", "D:\\a"},
      {"a\\..", "D:\\x", "D:\\x"},
      {"a/b", "D:\\x", "D:\\x\\a\\b"},
      {"a", "D:\\x\\..\\y", "D:\\y\\a"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FullWindowsPath(c.path, c.current), c.full) << c.path << " in " << c.current;
  }
}

TEST(WindowsPathTest, ComponentsAndInvalidNames) {
  EXPECT_EQ(PathComponents("C:\\a\\b\\"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(PathComponents("C:\\").empty());
  for (const char* bad : {"a*", "a?", "a:b", "a\"", "a<", "a>", "a|", "a\tb"}) {
    EXPECT_TRUE(HasInvalidNameCharacter(bad)) << bad;
  }
  EXPECT_FALSE(HasInvalidNameCharacter("Read Me (1).txt"));
  EXPECT_FALSE(
      HasInvalidNameCharacter("\xDC"
                              "bungen"));
}

TEST(WindowsPathTest, DriveRootsAndTrailingSeparators) {
  struct Case {
    const char* root;
    char letter;
  } roots[] = {{"C:\\", 'C'}, {"e:/", 'E'}, {"d:", 'D'}, {"C:\\x", 0},
               {"C", 0},      {"1:\\", 0},  {"", 0}};
  for (const auto& c : roots) EXPECT_EQ(DriveRootLetter(c.root), c.letter) << c.root;
  EXPECT_EQ(WithoutTrailingSeparator("C:\\Books\\\\"), "C:\\Books");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:\\");
}

TEST(WindowsPathTest, FindPatternsSplitAtTheirLastSeparator) {
  struct Case {
    const char* pattern;
    const char* directory;
    const char* name_pattern;
  } cases[] = {
      {"C:\\Books\\*.txt", "C:\\Books\\", "*.txt"},
      {"C:/Books/*", "C:/Books/", "*"},
      {"C:\\*", "C:\\", "*"},
      {"C:*", "C:", "*"},
      {"*.*", ".", "*.*"},
      {"Books\\", "Books\\", ""},
  };
  for (const Case& c : cases) {
    FindPattern split = SplitFindPattern(c.pattern);
    EXPECT_EQ(split.directory, c.directory) << c.pattern;
    EXPECT_EQ(split.name_pattern, c.name_pattern) << c.pattern;
  }
}

}  // namespace
}  // namespace setup
