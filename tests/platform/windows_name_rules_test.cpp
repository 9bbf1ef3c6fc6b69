#include "platform/windows_name_rules.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(WindowsNameRulesTest, StoredNamesLoseTrailingDotsAndBlanks) {
  struct Case {
    const char* name;
    const char* stored;
  } cases[] = {
      {"Docs ", "Docs"},
      {"a.txt.", "a.txt"},
      {"Read Me . . ", "Read Me"},
      {" lead", " lead"},  // leading blanks stay
      {"a. b", "a. b"},
      {".hidden", ".hidden"},
      {"...", ""},
      {" ", ""},
      {".", "."},
      {"..", ".."},
      // A double-byte character (code page 932) whose trail byte is not '.' or ' ' stays whole.
      {"\x83\x40 ", "\x83\x40"},
  };
  for (const auto& c : cases) EXPECT_EQ(StoredName(c.name), c.stored) << "'" << c.name << "'";
}

TEST(WindowsNameRulesTest, ReservedDeviceNames) {
  struct Case {
    const char* name;
    bool reserved;
  } cases[] = {
      {"CON", true},       {"con", true},      {"Prn", true},        {"AUX", true},
      {"NUL", true},       {"NUL.TXT", true},  {"nul.tar.gz", true}, {"CON .log", true},
      {"COM1", true},      {"com9.dll", true}, {"LPT1", true},       {"Lpt9", true},
      {"COM0", false},     {"COM10", false},   {"LPT", false},       {"CONSOLE", false},
      {"NULL.txt", false}, {"x.CON", false},   {" CON", false},      {"AUX1", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsReservedDeviceName(c.name), c.reserved) << c.name;
}

TEST(WindowsNameRulesTest, RefusedNames) {
  for (const char* name :
       {"", "CON", "lpt3.txt", "a*b", "a?", "a<b", "a>b", "a:b", "a\"b", "a|b", "a\tb", "\x1F"}) {
    EXPECT_TRUE(IsRefusedName(name)) << name;
  }
  for (const char* name : {"Read Me (1).txt", "COM10",
                           "\xDC"
                           "bungen"}) {
    EXPECT_FALSE(IsRefusedName(name)) << name;
  }
}

TEST(WindowsNameRulesTest, FullPathsWithStoredNames) {
  struct Case {
    const char* full;
    const char* stored;
  } cases[] = {
      {"C:\\Docs \\Readme ", "C:\\Docs\\Readme"},
      {"C:\\a.\\b..\\", "C:\\a\\b\\"},
      {"C:\\", "C:\\"},
      {"D:\\Quillby\\Read Me.txt", "D:\\Quillby\\Read Me.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithStoredNames(c.full), c.stored) << c.full;
}

}  // namespace
}  // namespace setup
