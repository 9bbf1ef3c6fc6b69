#include <filesystem>

#include "script/shell_link.h"
#include "script_fixture.h"

namespace setup::testing {
namespace {

class ShortcutCommandTest : public ScriptFixture {
 protected:
  ShortcutCommandTest() {
    temp_.MakeDir("c/Books/Demo");
    temp_.MakeDir("c/Desktop");
  }
  // Where the link at `relative` points, or "<none>".
  std::string LinkTarget(const std::string& relative) {
    std::error_code error;
    auto target = std::filesystem::read_symlink(Host(relative), error);
    return error ? "<none>" : target.string();
  }
};

TEST_F(ShortcutCommandTest, CreatesLinksAsScriptsExpect) {
  struct Case {
    std::string line;
    std::string link;
    std::string target;  // below the temporary directory
  };
  const Case cases[] = {
      {"CREATESHORTCUT C:\\Books\\Demo", "d/Default Shortcut.Lnk", "c/Books/Demo"},
      {"CREATESHORTCUT C:\\Books\\Demo\\.. %DESKTOP%\\Books", "c/Desktop/Books.Lnk", "c/Books"},
      {"createshortcut C:\\BOOKS\\demo x.lnk", "d/x.lnk.Lnk", "c/Books/Demo"},
  };
  for (const auto& c : cases) {
    RunLine(c.line);
    EXPECT_EQ(LinkTarget(c.link), Host(c.target)) << c.line;
  }
  EXPECT_TRUE(Texts().empty());
}

TEST_F(ShortcutCommandTest, ALinkIsReplaced) {
  temp_.MakeDir("c/Other");
  RunLine("CREATESHORTCUT C:\\Books\\Demo C:\\Desktop\\Demo");
  RunLine("CREATESHORTCUT C:\\Other C:\\Desktop\\Demo");
  EXPECT_EQ(LinkTarget("c/Desktop/Demo.Lnk"), Host("c/Other"));
}

TEST_F(ShortcutCommandTest, NothingWithoutATargetOrWithAnEmptyOne) {
  auto entries = [&] { return std::distance(std::filesystem::directory_iterator(Host("d")), {}); };
  const auto before = entries();
  RunLine("CREATESHORTCUT");
  RunLine("CREATESHORTCUT Demo\\.. D:\\x");
  EXPECT_EQ(entries(), before);
  EXPECT_TRUE(Texts().empty());
}

TEST_F(ShortcutCommandTest, AMissingFolderFailsQuietly) {
  EXPECT_FALSE(CreateShellLink(*links_, "C:\\Books", "C:\\NoFolder\\x.Lnk", "", CodePage()).ok());
  RunLine("CREATESHORTCUT C:\\Books C:\\NoFolder\\x");
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
}  // namespace setup::testing
