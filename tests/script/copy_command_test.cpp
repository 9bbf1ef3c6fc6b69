#include <filesystem>

#include "script_fixture.h"

namespace setup::testing {
namespace {

class CopyCommandTest : public ScriptFixture {
 protected:
  CopyCommandTest() {
    temp_.WriteFile("d/x/a.txt", "A");
    temp_.WriteFile("d/my.dir/README", "R");
    temp_.MakeDir("c/dest");
  }
};

TEST_F(CopyCommandTest, CopiesAndReportsAsScriptsExpect) {
  struct Case {
    std::string line;
    std::string message;  // "" for none
    std::string created;  // host file expected afterwards, "" for none
    std::string content;
  };
  const Case cases[] = {
      {"COPY D:\\x\\a.txt C:\\dest", "", "c/dest/a.txt", "A"},
      {"COPY D:\\x\\a.txt C:\\dest.dir", "", "c/dest.dir", "A"},
      {"COPY D:\\my.dir\\README C:\\dest", "", "c/dest/README", "R"},
      {"COPY D:\\x\\README C:\\dest",
       "'D:\\x\\README' is an illegal filename. (The filename _must_ have an extension.)", "", ""},
      {"COPY a.txt C:\\d\\a.txt",
       "You must specify a source and destination drive. ('COPY    a.txt    C:\\d\\a.txt')", "",
       ""},
      {"COPY C:a.txt C:\\d\\a.txt",
       "You must specify a source and destination path. ('COPY    C:a.txt    C:\\d\\a.txt')", "",
       ""},
      {"copy D:\\x\\gone.txt C:\\dest",
       "The file D:\\x\\gone.txt does not exist. (Script command 'COPY    D:\\x\\gone.txt    "
       "C:\\dest\\gone.txt')",
       "", ""},
      // COPY creates no directories, and a failed copy says nothing.
      {"COPY D:\\x\\a.txt C:\\nodir\\a.txt", "", "", ""},
      {"copyfileifnotinpath gone.dll D:\\x\\gone.dll C:\\dest",
       "The file D:\\x\\gone.dll does not exist. (Script command 'COPYFILEIFNOTINPATH    "
       "D:\\x\\gone.dll    C:\\dest\\gone.dll')",
       "", ""},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(Host("c"));
    temp_.MakeDir("c/dest");
    size_t before = Texts().size();
    RunLine(c.line);
    auto texts = Texts();
    if (c.message.empty()) {
      EXPECT_EQ(texts.size(), before) << c.line;
    } else {
      ASSERT_EQ(texts.size(), before + 1) << c.line;
      EXPECT_EQ(texts.back(), c.message) << c.line;
    }
    if (!c.created.empty()) {
      EXPECT_EQ(temp_.ReadFile(c.created), c.content) << c.line;
    }
  }
  EXPECT_FALSE(temp_.Exists("c/nodir"));
}

TEST_F(CopyCommandTest, NtOnlyCopiesOnlyOnTheNtLine) {
  system_.platform = PlatformLine::Windows;
  RunLine("COPYNTONLY D:\\x\\a.txt C:\\dest");
  RunLine("COPYNTONLY nodrive C:\\dest");
  EXPECT_FALSE(temp_.Exists("c/dest/a.txt"));
  EXPECT_TRUE(Texts().empty());
  system_.platform = PlatformLine::NT;
  RunLine("COPYNTONLY D:\\x\\a.txt C:\\dest");
  EXPECT_EQ(temp_.ReadFile("c/dest/a.txt"), "A");
}

TEST_F(CopyCommandTest, CopyIfNotInPathCopiesOnlyWhatTheSearchMisses) {
  search_.found = {"a.txt"};
  RunLine("COPYFILEIFNOTINPATH a.txt D:\\x\\a.txt C:\\dest");
  EXPECT_FALSE(temp_.Exists("c/dest/a.txt"));
  search_.found.clear();
  RunLine("COPYFILEIFNOTINPATH a.txt D:\\x\\a.txt C:\\dest");
  EXPECT_EQ(temp_.ReadFile("c/dest/a.txt"), "A");
}

TEST_F(CopyCommandTest, NoFixedPathLimit) {
  std::string deep = "C:\\dest";
  std::string host = "c/dest";
  for (int i = 0; i < 30; ++i) {
    deep += "\\a-rather-long-directory-name";
    host += "/a-rather-long-directory-name";
  }
  temp_.MakeDir(host);
  RunLine("COPY D:\\x\\a.txt " + deep);
  EXPECT_EQ(temp_.ReadFile(host + "/a.txt"), "A");
}

}  // namespace
}  // namespace setup::testing
