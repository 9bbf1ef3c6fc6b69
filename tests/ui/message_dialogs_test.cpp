#include "ui/dialogs/message_dialogs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>

#include "ui/backends/headless/image_canvas.h"
#include "ui_fixture.h"

namespace setup {
namespace {

using testing::HeadlessRig;

struct DialogCase {
  const char* kind;
  std::function<std::unique_ptr<CDialog>(WindowSystem&, SetupConfig&, std::atomic<bool>&)> make;
  const char* valid_line;
  const char* invalid_line;
};

const DialogCase CASES[] = {
    {"CWelcomeDlg",
     [](WindowSystem& ws, SetupConfig& c, std::atomic<bool>&) {
       return std::make_unique<CWelcomeDlg>(ws, c);
     },
     R"({"kind":"CWelcomeDlg","caption":"Welcome","controls":{"1":"OK","1000":"Welcome to the setup of Quillby Book."},"answer":"OK"})",
     R"({"kind":"CWelcomeDlg","caption":"This is the default title","controls":{"1":"OK","1000":"This is the default welcome text."},"answer":"OK"})"},
    {"CSetupFailedDlg",
     [](WindowSystem& ws, SetupConfig& c, std::atomic<bool>&) {
       return std::make_unique<CSetupFailedDlg>(ws, c);
     },
     R"({"kind":"CSetupFailedDlg","caption":"Setup Failed","controls":{"1":"OK","1000":"Setup did not complete."},"answer":"OK"})",
     R"({"kind":"CSetupFailedDlg","caption":"This is the default title","controls":{"1":"OK","1000":"This is the default"},"answer":"OK"})"},
    {"CFinishedDlg",
     [](WindowSystem& ws, SetupConfig& c, std::atomic<bool>&) {
       return std::make_unique<CFinishedDlg>(ws, c);
     },
     R"({"kind":"CFinishedDlg","caption":"Finished","controls":{"1":"OK","1000":"Quillby Book has been installed."},"answer":"OK"})",
     R"({"kind":"CFinishedDlg","caption":"This is the default title","controls":{"1":"OK","1000":"This is the default text"},"answer":"OK"})"},
    // The exit confirmation sets its texts whatever m_bValid says.
    {"CExitDlg",
     [](WindowSystem& ws, SetupConfig& c, std::atomic<bool>& exit_requested) {
       return std::make_unique<CExitDlg>(ws, c, exit_requested);
     },
     R"({"kind":"CExitDlg","caption":"Exit Setup","controls":{"1":"&Continue","2":"E&xit","1000":"Setup is not complete. Exit anyway?"},"answer":"Exit"})",
     R"({"kind":"CExitDlg","caption":"Exit Setup","controls":{"1":"&Continue","2":"E&xit","1000":"Setup is not complete. Exit anyway?"},"answer":"Exit"})"},
};

// Each is centred on its owner, and shows its texts with a valid configuration, else the
// template's.
TEST(MessageDialogsTest, TextsWithValidAndInvalidConfiguration) {
  for (const DialogCase& c : CASES) {
    for (bool valid : {true, false}) {
      HeadlessRig rig;
      rig.config.m_bValid = valid;
      std::atomic<bool> exit_requested{false};
      bool centred = false;
      rig.user.When(c.kind, [&](UserDriver& d) {
        centred = rig.ws.WindowOf(d.dialog())->centered();
        rig.answers.Act(d);
      });
      c.make(rig.ws, rig.config, exit_requested)->DoModal();
      ASSERT_EQ(rig.Lines().size(), 1u) << c.kind;
      EXPECT_EQ(rig.Lines()[0], valid ? c.valid_line : c.invalid_line) << c.kind;
      EXPECT_TRUE(centred) << c.kind;
    }
  }
}

TEST(ExitDlgTest, AnswersAndTheExitFlag) {
  struct Case {
    const char* name;
    std::function<void(UserDriver&)> act;
    int result;
    bool exit_requested;
  };
  using Answer = CExitDlg::Answer;
  auto give = [](Answer answer) {
    return [answer](UserDriver& d) { EXPECT_TRUE(CExitDlg::GiveAnswer(d, answer)); };
  };
  const Case cases[] = {
      {"esc", [](UserDriver& d) { d.PressEsc(); }, ID_CANCEL, true},
      // The focus starts on Continue, so Enter continues.
      {"enter", [](UserDriver& d) { d.PressEnter(); }, ID_OK, false},
      {"given continue", give(Answer::Continue), ID_OK, false},
      {"given exit", give(Answer::Exit), ID_CANCEL, true},
  };
  for (const Case& c : cases) {
    HeadlessRig rig;
    rig.user.When("CExitDlg", c.act);
    std::atomic<bool> exit_requested{false};
    CExitDlg dialog(rig.ws, rig.config, exit_requested);
    EXPECT_EQ(dialog.DoModal(), c.result) << c.name;
    EXPECT_EQ(exit_requested.load(), c.exit_requested) << c.name;
    EXPECT_EQ(dialog.GetAnswer(), c.exit_requested ? Answer::Exit : Answer::Continue) << c.name;
  }
}

struct BackdropRig {
  BackdropRig(bool valid, ScreenMetrics metrics, bool fonts = true) {
    rig.config.m_bValid = valid;
    rig.ws.SetMetrics(metrics);
    rig.ws.SetFontsAvailable(fonts);
    backdrop = std::make_unique<CBackdropDlg>(rig.ws, rig.config);
    backdrop->Create();
  }
  Image Render() { return rig.ws.WindowOf(*backdrop)->Render(); }

  HeadlessRig rig;
  std::unique_ptr<CBackdropDlg> backdrop;
};

TEST(BackdropDlgTest, FillsTheWorkAreaWithTheGradientAndTheMessage) {
  BackdropRig b(true, ScreenMetrics{640, 480, 20, 32, 32});
  EXPECT_EQ(b.rig.ws.WindowOf(*b.backdrop)->normal_rect(), (Rect{0, 0, 640, 500}));
  Image image = b.Render();
  ASSERT_EQ(image.width, 640);
  ASSERT_EQ(image.height, 480);
  EXPECT_EQ(image.At(600, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(image.At(600, 479), (Rgb{0, 0, static_cast<uint8_t>(255 - 479 * 255 / 480)}));
  // White text at (46, 46) over its black shadow at (50, 50).
  EXPECT_EQ(image.At(46, 46), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(56, 73), (Rgb{255, 255, 255}));
  EXPECT_EQ(image.At(50 + 12 * 2 - 2, 50 + 27), (Rgb{0, 0, 0}));  // shadow below the text
}

TEST(BackdropDlgTest, OneRowHighIsPureBlueAndNoMessageWhenInvalidOrWithoutItsFont) {
  BackdropRig b(false, ScreenMetrics{300, 1, 20, 32, 32});
  Image image = b.Render();
  ASSERT_EQ(image.height, 1);
  for (int x = 0; x < image.width; ++x) ASSERT_EQ(image.At(x, 0), (Rgb{0, 0, 255}));

  for (const bool valid : {false, true}) {
    BackdropRig plain(valid, ScreenMetrics{300, 200, 20, 32, 32}, !valid);
    EXPECT_EQ(plain.backdrop->m_bFontCreated, !valid);
    EXPECT_EQ(plain.Render().At(46, 46), (Rgb{0, 0, static_cast<uint8_t>(255 - 46 * 255 / 200)}));
  }
}

TEST(BackdropDlgTest, MinimizedShowsOnlyItsIconCentred) {
  BackdropRig b(true, ScreenMetrics{200, 100, 20, 32, 32});
  HeadlessWindow* window = b.rig.ws.WindowOf(*b.backdrop);
  EXPECT_EQ(window->icon(), ICON_APPLICATION);
  window->SetMinimized(true);
  Image image = b.Render();
  Rgb icon = ImageCanvas::IconColour(ICON_APPLICATION);
  int x = (200 - 32 + 1) / 2;
  int y = (100 - 32 + 1) / 2;
  EXPECT_EQ(image.At(x, y), icon);
  EXPECT_EQ(image.At(x + 31, y + 31), icon);
  EXPECT_NE(image.At(x - 1, y), icon);
  EXPECT_NE(image.At(0, 0), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace setup
