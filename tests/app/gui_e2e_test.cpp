#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <regex>

#include "app/front_end.h"
#include "setup_runner.h"
#include "support/scoped_env.h"
#include "ui/dialogs/installation_dialogs.h"

namespace setup {
namespace {

using testing::SetupRunner;
using Lines = std::vector<std::string>;

// A transcript with the drives' free space blanked: the two runs share the host's disk.
Lines Comparable(const SetupRunner& runner) {
  static const std::regex free_space(R"([0-9][0-9.,]* ?[KMG]?Bytes)");
  Lines lines = runner.Transcript();
  for (std::string& line : lines) line = std::regex_replace(line, free_space, "#");
  return lines;
}

// Every name on drive C, with a file's contents (but the install records', which hold the
// times of the copies).
Lines Installed(const SetupRunner& runner) {
  Lines entries;
  const std::filesystem::path c = runner.temp.Join("c");
  for (const auto& entry : std::filesystem::recursive_directory_iterator(c)) {
    const std::string name = entry.path().lexically_relative(c).string();
    const bool contents = entry.is_regular_file() && name.rfind("WINDOWS/SETUPREC/", 0) != 0;
    entries.push_back(contents ? name + ": " + runner.temp.ReadFile("c/" + name) : name);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

struct AnswersCase {
  const char* name;
  const char* answers;
  int status;
};

// The same disc and answers, once without windows and once in real (offscreen) windows,
// show the same dialogs in the same order with the same answers, and install the same files:
// typical runs, and runs ended with Exit. The dialogs' answers themselves are the framework
// tests'.
TEST(GuiE2eTest, AnswersDriveRealWindowsAsTheyDriveTheHeadlessRun) {
  const AnswersCase cases[] = {
      {"the sample disc by default", "", EXIT_FINISHED},
      {"all sections, section 3 in a new folder",
       "[Options]\nSelect=1,2,3\nFolder3=C:\\Quillby\\More Extras\n", EXIT_FINISHED},
      {"ended with Exit", "[Options]\nButton=Exit\n[ExitConfirm]\nDefault=Exit\n", EXIT_FAILED},
  };
  for (const AnswersCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetupRunner headless;
    SetupRunner windows;
    for (SetupRunner* runner : {&headless, &windows}) {
      runner->UseSampleDisc();
      runner->Answers(c.answers);
    }
    EXPECT_EQ(headless.RunSetup(), c.status) << headless.Stderr();
    EXPECT_EQ(windows.RunSetup({"--gui"}), c.status) << windows.Stderr();
    EXPECT_GT(headless.Transcript().size(), 2u);
    EXPECT_EQ(Comparable(windows), Comparable(headless));
    EXPECT_EQ(Installed(windows), Installed(headless));
  }
}

TEST(GuiE2eTest, WithoutADisplayThatOpensTheRunEndsBeforeWritingAnything) {
  SetupRunner runner;
  runner.UseSampleDisc();
  std::filesystem::remove(runner.temp.Join("registry.reg"));
  // --gui with no display named at all.
  EXPECT_EQ(runner.RunSetup({"--gui"}, true), EXIT_NO_DISPLAY);
  // A display named that does not answer.
  {
    testing::ScopedEnv platform("QT_QPA_PLATFORM", "xcb");
    testing::ScopedEnv display("DISPLAY", ":65000");
    EXPECT_EQ(runner.RunSetup({"--gui"}), EXIT_NO_DISPLAY);
  }
  EXPECT_NE(runner.Stderr().find("cannot open the display"), std::string::npos) << runner.Stderr();
  EXPECT_FALSE(runner.temp.Exists("registry.reg"));
  EXPECT_FALSE(runner.temp.Exists("c/Programs/Quillby Reader"));
}

// The pixel size of a PNG, from its header.
std::pair<int, int> PngSize(const std::string& data) {
  auto word = [&](size_t at) {
    return (static_cast<unsigned char>(data[at]) << 24) |
           (static_cast<unsigned char>(data[at + 1]) << 16) |
           (static_cast<unsigned char>(data[at + 2]) << 8) |
           static_cast<unsigned char>(data[at + 3]);
  };
  if (data.size() < 24 || data.compare(1, 3, "PNG") != 0) return {0, 0};
  return {word(16), word(20)};
}

// The kind of each transcript line, in order.
Lines Kinds(const SetupRunner& runner) {
  Lines kinds = runner.Shown();
  for (std::string& kind : kinds) kind = kind.substr(0, kind.find('='));
  return kinds;
}

// Screenshots with and without real windows: one PNG per dialog in the transcript's order,
// each the size its template gives in the dialog font (the same pixels per dialog unit
// across all templates of one font).
TEST(GuiE2eTest, ScreenshotsFollowTheTranscriptAndTheTemplates) {
#ifndef SETUP_HAVE_QT
  GTEST_SKIP() << "built without the Qt backend: no screenshots";
#endif
  for (bool windows : {false, true}) {
    SCOPED_TRACE(windows ? "--gui" : "--unattended");
    SetupRunner runner;
    runner.UseSampleDisc();
    runner.Answers("[Options]\nSelect=1,2,3\n");
    Lines args = {"--screenshots", runner.temp.Join("shots")};
    if (windows) args.push_back("--gui");
    ASSERT_EQ(runner.RunSetup(args), EXIT_FINISHED) << runner.Stderr();
    Lines kinds = Kinds(runner);
    Lines pictures;
    for (const auto& entry : std::filesystem::directory_iterator(runner.temp.Join("shots")))
      pictures.push_back(entry.path().filename().string());
    std::sort(pictures.begin(), pictures.end());
    ASSERT_EQ(pictures.size(), kinds.size());
    std::optional<double> scale;
    for (size_t i = 0; i < kinds.size(); ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%03zu-", i + 1);
      EXPECT_EQ(pictures[i], name + kinds[i] + ".png");
      auto [width, height] = PngSize(runner.temp.ReadFile("shots/" + pictures[i]));
      ASSERT_GT(width * height, 0) << pictures[i];
      for (const InstallDialogInfo& info : INSTALLATION_DIALOGS) {
        DialogTemplate dialog_template = info.make_template();
        if (kinds[i] != info.kind || info.dialog == InstallDialog::Backdrop) continue;
        // Pixels per dialog unit: width over height, divided by the template's.
        double ratio =
            (double(width) / height) / (double(dialog_template.size.cx) / dialog_template.size.cy);
        if (!scale) scale = ratio;
        EXPECT_NEAR(ratio, *scale, *scale * 0.04) << pictures[i];
      }
    }
    EXPECT_TRUE(scale.has_value());
  }
}

}  // namespace
}  // namespace setup
