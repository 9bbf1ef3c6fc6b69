#include "ui/framework/console_message_box.h"

#include <gtest/gtest.h>

#include <sstream>

namespace setup {
namespace {

struct ConsoleCase {
  MessageBoxButtons buttons;
  MessageBoxResult answer;
};

class ConsoleMessageBoxTest : public ::testing::TestWithParam<ConsoleCase> {};

TEST_P(ConsoleMessageBoxTest, AnswersTheDefaultButton) {
  CodePage code_page;
  std::ostringstream out;
  ConsoleMessageBox box(code_page, out);
  EXPECT_EQ(box.ShowMessageBox({"Setup", "text", MessageBoxIcon::None, GetParam().buttons}),
            GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ConsoleMessageBoxTest,
    ::testing::Values(ConsoleCase{MessageBoxButtons::Ok, MessageBoxResult::Ok},
                      ConsoleCase{MessageBoxButtons::OkCancel, MessageBoxResult::Ok},
                      ConsoleCase{MessageBoxButtons::RetryCancel, MessageBoxResult::Retry},
                      ConsoleCase{MessageBoxButtons::YesNo, MessageBoxResult::Yes},
                      ConsoleCase{MessageBoxButtons::YesNoCancel, MessageBoxResult::Yes}));

TEST(ConsoleMessageBoxOutputTest, PrintsEachBoxAsAParagraphInUtf8) {
  CodePage code_page;
  std::ostringstream out;
  ConsoleMessageBox box(code_page, out);
  box.ShowMessageBox({"Error!",
                      "The '\xDC"
                      "bungen 100%s' entry\nis odd."});
  box.ShowMessageBox({"Setup", "Second"});
  EXPECT_EQ(out.str(),
            "Error!: The '\xC3\x9C"
            "bungen 100%s' entry\nis odd.\n\nSetup: Second\n\n");
}

}  // namespace
}  // namespace setup
