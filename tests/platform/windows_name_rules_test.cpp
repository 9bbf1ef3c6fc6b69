#include "platform/windows_name_rules.h"

#include <gtest/gtest.h>

#include "support/loaded_code_page.h"

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

// The edges of the device names; the contract suite refuses the usual ones on every call.
TEST(WindowsNameRulesTest, ReservedDeviceNameEdges) {
  const std::pair<const char*, bool> cases[] = {
      {"Prn", true}, {"nul.tar.gz", true}, {"COM0", false}, {" CON", false}, {"", false}};
  for (const auto& [name, reserved] : cases)
    EXPECT_EQ(IsReservedDeviceName(name), reserved) << name;
}

// Shift-JIS: names are split only at separators of their own, so '表' (0x95 0x5C) keeps its
// second byte and loses the dot after it; a second byte '|' (0x7C) or 'a' is no refused
// character, a lone first byte at the end of a name is kept as it is.
TEST(WindowsNameRulesTest, DoubleByteNames) {
  const CodePage shift_jis = testing::LoadedCodePage(932);
  const std::pair<const char*, const char*> paths[] = {
      {"C:\\\x95\x5C.\\x", "C:\\\x95\x5C\\x"},
      {"C:\\\x83\x5C \\\x94\x5C.", "C:\\\x83\x5C\\\x94\x5C"},
      {"C:\\a\x83\x61.\\", "C:\\a\x83\x61\\"},
  };
  for (const auto& [full, stored] : paths) EXPECT_EQ(WithStoredNames(full, shift_jis), stored);
  for (const char* name : {"\x95\x7C", "\x83\x61", "\x95\x5C", "a\x95"}) {
    EXPECT_FALSE(IsRefusedName(name, shift_jis)) << shift_jis.ToUtf8(name);
  }
  EXPECT_TRUE(IsRefusedName("\x95\x5C|", shift_jis));
}

}  // namespace
}  // namespace setup
