#include "platform/posix_path_search.h"

#include "script_fixture.h"
#include "support/loaded_code_page.h"

namespace setup::testing {
namespace {

class PathSearchTest : public ScriptFixture {
 protected:
  PathSearchTest() {
    temp_.WriteFile("program/InProgram.dll", "p");
    temp_.WriteFile("c/WINDOWS/SYSTEM/insystem.dll", "s");
    temp_.WriteFile("c/WINDOWS/inwindows.dll", "w");
    temp_.WriteFile("d/incurrent.dll", "c");
    temp_.WriteFile("bin1/dummy", "");
    temp_.WriteFile("bin2/onpath.dll", "o");
  }
  PosixPathSearch Search() {
    return PosixPathSearch(*fs_, system_, code_page_, Host("program"),
                           {Host("bin1"), Host("nonexistent"), Host("bin2")});
  }
};

TEST_F(PathSearchTest, SearchesTheStandardPlacesWithoutRegardToCase) {
  struct Case {
    std::string name;
    bool found;
  };
  const Case cases[] = {
      {"inprogram.dll", true},
      {"INSYSTEM.DLL", true},
      {"inwindows.dll", true},
      {"InCurrent.dll", true},
      {"onpath.dll", true},
      {"nowhere.dll", false},
      {"", false},
      {"C:\\WINDOWS\\inwindows.dll", true},
      {"C:\\insystem.dll", false},
      {"WINDOWS\\inwindows.dll", false},
  };
  auto search = Search();
  for (const auto& c : cases) EXPECT_EQ(search.FindOnPath(c.name), c.found) << c.name;
}

TEST_F(PathSearchTest, TheEnvironmentGivesProgramDirectoryAndPath) {
  system_.module_file = Host("program/setup");
  auto search = PosixPathSearch::FromEnvironment(*fs_, system_, code_page_);
  EXPECT_TRUE(search.FindOnPath("inprogram.dll"));
  EXPECT_FALSE(search.FindOnPath("onpath.dll"));
}

// Shift-JIS names, on the host in UTF-8: a second byte 0x5C ('表' 0x95 0x5C, 'ソ' 0x83 0x5C,
// '能' 0x94 0x5C) is no separator, neither in the name looked for nor at the end of the
// System directory; a second byte 'a' ('ヂ' 0x83 0x61) does not find 'ア' (0x83 0x41).
TEST_F(PathSearchTest, ShiftJisNamesTable) {
  code_page_ = LoadedCodePage(932);
  fs_ = MakeTempDrives(temp_, {{'C', "c", DriveType::Fixed}, {'D', "d", DriveType::CdRom}}, "D:\\",
                       code_page_);
  temp_.WriteFile("program/\u8868.dll", "p");
  temp_.WriteFile("bin2/\u30BD.dll", "o");
  temp_.WriteFile("bin2/\u30A2.dll", "o");
  temp_.WriteFile("c/WINDOWS/\u80FD/insystem5c.dll", "s");
  system_.system_dir = "C:\\WINDOWS\\\x94\x5C";
  const std::pair<std::string, bool> cases[] = {
      {"\x95\x5C.DLL", true},   {"\x83\x5C.dll", true},
      {"\x83\x41.dll", true},   {"\x83\x61.dll", false},
      {"insystem5c.dll", true}, {"C:\\WINDOWS\\\x94\x5C\\insystem5c.dll", true},
  };
  auto search = Search();
  for (const auto& [name, found] : cases) {
    EXPECT_EQ(search.FindOnPath(name), found) << code_page_.ToUtf8(name);
  }
}

}  // namespace
}  // namespace setup::testing
