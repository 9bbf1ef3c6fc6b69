#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/front_end.h"
#include "setup_runner.h"

namespace setup {
namespace {

using testing::SetupRunner;
using Paths = std::set<std::string>;

class PlanModeTest : public ::testing::Test, public SetupRunner {
 protected:
  // Every entry of the sandbox but the run's own output, with its size and time.
  std::vector<std::string> Listing() const {
    return SetupRunner::Listing("", {"stdout.txt", "stderr.txt"}, true);
  }

  std::vector<std::string> PlanLines() const {
    std::vector<std::string> lines;
    std::istringstream in(Stdout());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  // The host path of a path on drive C.
  std::string OnC(const std::string& windows_path) const {
    std::string relative = windows_path.substr(3);
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    return temp.Join("c/" + relative);
  }

  // Every file and link the plan says the install writes, as host paths.
  Paths PlannedPaths() const {
    Paths paths;
    for (const std::string& line : PlanLines()) {
      auto target = [&](const std::string& from, const std::string& to) {
        const size_t start = line.find(from) + from.size();
        return OnC(line.substr(start, line.find(to, start) - start));
      };
      if (line.rfind("file ", 0) == 0) paths.insert(target(" -> ", " ("));
      if (line.rfind("uninstaller ", 0) == 0) paths.insert(target(" -> ", "\n"));
      if (line.rfind("record ", 0) == 0) paths.insert(OnC(line.substr(7)));
      if (line.rfind("shortcut ", 0) == 0) paths.insert(OnC(line.substr(9, line.find(" -> ") - 9)));
    }
    return paths;
  }

  Paths InstalledPaths() const {
    Paths paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Join("c"))) {
      if (!entry.is_directory() || entry.is_symlink()) paths.insert(entry.path().string());
    }
    return paths;
  }
};

TEST_F(PlanModeTest, WritesNothingAnywhere) {
  UseSampleDisc();
  const std::vector<std::string> seeded = Listing();
  EXPECT_EQ(RunSetup({"--plan"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Listing(), seeded);
  // Not even a new registry store, which a run seeds on first use.
  std::filesystem::remove(temp.Join("registry.reg"));
  const std::vector<std::string> before = Listing();
  EXPECT_EQ(RunSetup({"--plan"}), EXIT_FINISHED) << Stderr();
  EXPECT_EQ(Listing(), before);
}

// The plan names every file, link and the uninstaller that the unattended run then writes,
// and the registry values it stores.
TEST_F(PlanModeTest, ListsWhatTheInstallWrites) {
  UseSampleDisc();
  ASSERT_EQ(RunSetup({"--plan"}), EXIT_FINISHED) << Stderr();
  const Paths planned = PlannedPaths();
  const std::vector<std::string> lines = PlanLines();

  ASSERT_EQ(RunSetup(), EXIT_FINISHED) << Stderr();
  Paths expected = planned;
  // What the scripts write, which the plan shows as script lines.
  for (const char* path :
       {"C:\\Quillby\\Examples\\Notes\\NOTES.TXT", "C:\\Desktop\\Quillby Notes.Lnk"}) {
    expected.insert(OnC(path));
  }
  EXPECT_EQ(InstalledPaths(), expected);
  int values = 0;
  for (const std::string& line : lines) {
    if (line.rfind("registry ", 0) != 0) continue;
    const size_t colon = line.find(": ");
    const size_t equals = line.find(" = ", colon);
    const std::string key = line.substr(9, colon - 9);
    const std::string product = key.substr(key.rfind('\\') + 1);
    EXPECT_EQ(Uninstall(product, line.substr(colon + 2, equals - colon - 2)),
              line.substr(equals + 3))
        << line;
    ++values;
  }
  EXPECT_GT(values, 0);
}

TEST_F(PlanModeTest, ShowsReplacementsSkippedSectionsAndScriptLines) {
  UseSampleDisc();
  temp.WriteFile("c/Quillby/Examples/Example1.txt", "older");
  ASSERT_EQ(RunSetup({"--plan"}), EXIT_FINISHED) << Stderr();
  const std::string plan = Stdout();
  EXPECT_NE(plan.find("file D:\\EXAMPLES\\EXAMPLE1.TXT -> C:\\Quillby\\Examples\\Example1.txt "
                      "(91 bytes)\nreplace C:\\Quillby\\Examples\\Example1.txt\n"),
            std::string::npos)
      << plan;
  EXPECT_NE(plan.find("skip section 3: Quillby Extras (not chosen)\n"), std::string::npos);
  EXPECT_NE(plan.find("script section 2: SCRIPTS\\EXAMPLES.TXT\n"
                      "script line: MD C:\\Quillby\\Examples\\Notes\n"
                      "script line: COPY D:\\SCRIPTS\\NOTES.TXT C:\\Quillby\\Examples\\Notes\n"),
            std::string::npos)
      << plan;
}

TEST_F(PlanModeTest, AnExitAtTheOptionsDialogIsTheSetupFailedStatus) {
  UseSampleDisc();
  Answers("[Options]\nButton = Exit\n");
  EXPECT_EQ(RunSetup({"--plan"}), EXIT_FAILED);
  EXPECT_EQ(Stdout(), "exit: the Options dialog ends the installation\n");
}

}  // namespace
}  // namespace setup
