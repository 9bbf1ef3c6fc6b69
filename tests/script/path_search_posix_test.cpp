#include "platform/posix_path_search.h"

#include "script_fixture.h"

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

}  // namespace
}  // namespace setup::testing
