#include "platform/windows_path.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"

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
      {"a\\b\\", "d:\\x", "D:\\x\\a\\b\\"},
      {"a\\..", "D:\\x", "D:\\x"},
      {"a", "D:\\x\\..\\y", "D:\\y\\a"},
  };
  const CodePage ansi;
  for (const auto& c : cases) {
    EXPECT_EQ(FullWindowsPath(c.path, c.current, ansi), c.full) << c.path << " in " << c.current;
  }
}

// The prefix a caller takes once per current directory gives what FullWindowsPath gives for
// every plain name below it, and nothing where the directory is not in full form.
TEST(WindowsPathTest, FullFormPrefixOfTheCurrentDirectory) {
  struct Case {
    const char* current;
    const char* prefix;
  } cases[] = {
      {"D:\\x", "D:\\x\\"}, {"D:\\", "D:\\"},          {"D:\\x\\", "D:\\x\\"}, {"D:\\x\\..\\y", ""},
      {"D:x", ""},          {"\\\\server\\share", ""}, {"D:\\x\\\\y", ""},
  };
  const CodePage ansi;
  for (const auto& c : cases) {
    EXPECT_EQ(FullFormPrefix(c.current, ansi), c.prefix) << c.current;
    for (const char* name : {"a", "a\\b", "a\\b\\"}) {
      ASSERT_TRUE(IsPlainRelative(name, ansi));
      if (*c.prefix != '\0') {
        EXPECT_EQ(FullWindowsPath(name, c.current, ansi), std::string(c.prefix) + name)
            << c.current;
      }
    }
  }
  for (const char* not_plain : {"a\\\\b", ".\\a", "a\\..", "C:a", "a/b", "\\a"}) {
    EXPECT_FALSE(IsPlainRelative(not_plain, ansi)) << not_plain;
  }
  const CodePage page = testing::LoadedCodePage(932);
  EXPECT_EQ(FullFormPrefix("D:\\\x95\x5C", page), "D:\\\x95\x5C\\");
}

// '表' (0x95 0x5C), 'ソ' (0x83 0x5C) and '能' (0x94 0x5C) end in a byte that is no separator.
TEST(WindowsPathTest, SecondBytesOfShiftJisAreNoSeparators) {
  struct Case {
    const char* path;
    const char* current;
    const char* full;
  } cases[] = {
      {"C:\\\x95\x5C\\a", "D:\\", "C:\\\x95\x5C\\a"},
      {"\x95\x5C\\..\\\x83\x5C", "D:\\x", "D:\\x\\\x83\x5C"},
      {"\x94\x5C", "D:\\\x95\x5C", "D:\\\x95\x5C\\\x94\x5C"},
      {"C:\\\x95\x5C\\", "D:\\", "C:\\\x95\x5C\\"},
      {"c:/\x95\x5C//\x83\x5C", "D:\\", "C:\\\x95\x5C\\\x83\x5C"},
      {"..\\\x83\x5C", "D:\\\x95\x5C\\\x94\x5C", "D:\\\x95\x5C\\\x83\x5C"},
  };
  const CodePage page = testing::LoadedCodePage(932);
  for (const auto& c : cases) {
    EXPECT_EQ(FullWindowsPath(c.path, c.current, page), c.full) << c.path << " in " << c.current;
  }
  EXPECT_EQ(PathComponents("C:\\\x95\x5C\\\x83\x5C", page),
            (std::vector<std::string>{"\x95\x5C", "\x83\x5C"}));
  EXPECT_EQ(WithoutTrailingSeparator("C:\\\x95\x5C", page), "C:\\\x95\x5C");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\\x95\x5C\\\\", page), "C:\\\x95\x5C");
  // '|' (0x7C) and 'a' as second bytes: no invalid character, nothing to case.
  EXPECT_FALSE(HasInvalidNameCharacter("\x95\x7C\x83\x61", page));
  EXPECT_TRUE(HasInvalidNameCharacter("\x95\x5C|", page));
}

TEST(WindowsPathTest, ComponentsAndInvalidNames) {
  const CodePage ansi;
  EXPECT_EQ(PathComponents("C:\\a\\b\\", ansi), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(PathComponents("C:\\", ansi).empty());
  for (const char* bad : {"a*", "a?", "a:b", "a\"", "a<", "a>", "a|", "a\tb", "\x95|"}) {
    EXPECT_TRUE(HasInvalidNameCharacter(bad, ansi)) << bad;
  }
  EXPECT_FALSE(HasInvalidNameCharacter("Read Me (1).txt", ansi));
}

TEST(WindowsPathTest, DriveRootsAndTrailingSeparators) {
  struct Case {
    const char* root;
    char letter;
  } roots[] = {{"C:\\", 'C'}, {"e:/", 'E'}, {"d:", 'D'}, {"C:\\x", 0},
               {"C", 0},      {"1:\\", 0},  {"", 0}};
  for (const auto& c : roots) EXPECT_EQ(DriveRootLetter(c.root), c.letter) << c.root;
  const CodePage ansi;
  EXPECT_EQ(WithoutTrailingSeparator("C:\\Books\\\\", ansi), "C:\\Books");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\", ansi), "C:\\");
  EXPECT_EQ(WithoutTrailingSeparator("C:\\\x95\x5C", ansi), "C:\\\x95");
}

TEST(WindowsPathTest, FindPatternsSplitAtTheirLastSeparator) {
  struct Case {
    const char* pattern;
    const char* directory;
    const char* name_pattern;
  } cases[] = {
      {"C:\\Books\\*.txt", "C:\\Books\\", "*.txt"},
      {"C:\\*", "C:\\", "*"},
      {"C:*", "C:", "*"},
      {"*.*", ".", "*.*"},
      {"Books\\", "Books\\", ""},
      {"C:\\\x95\x5C\\*.*", "C:\\\x95\x5C\\", "*.*"},
      {"C:\\\x95\x5C*", "C:\\", "\x95\x5C*"},
      {"\x83\x5C\x94\x5C", ".", "\x83\x5C\x94\x5C"},
  };
  const CodePage page = testing::LoadedCodePage(932);
  for (const Case& c : cases) {
    FindPattern split = SplitFindPattern(c.pattern, page);
    EXPECT_EQ(split.directory, c.directory) << c.pattern;
    EXPECT_EQ(split.name_pattern, c.name_pattern) << c.pattern;
  }
}

}  // namespace
}  // namespace setup
