#include "app/console_user.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ui_fixture.h"

namespace setup {
namespace {

// The Options dialog of a three-section disc, answered by a person typing `input`.
struct ConsoleRig : testing::OptionsSetup {
  explicit ConsoleRig(const std::string& input) : OptionsSetup(testing::THREE_SECTIONS), in(input) {
    config.m_bChangeFolderButton = true;
  }
  int RunOptions() { return Run(ws, code_page); }

  CodePage code_page;
  std::istringstream in;
  std::ostringstream out;
  ConsoleUser user{code_page, in, out};
  HeadlessWindowSystem ws{user, nullptr, code_page};
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ConsoleUserTest, TogglesTypesAFolderAndPressesAButtonByNumber) {
  ConsoleRig rig("t 3\nf 2 C:\\Other\\Place #1\n1\n");
  EXPECT_EQ(rig.RunOptions(), ID_OK);
  EXPECT_EQ(rig.Value(2, KEY_INSTALLBYDEFAULT), "TRUE");
  // Exactly as typed, though the browse window's edit refuses '\' and '#'.
  EXPECT_EQ(rig.Value(1, KEY_DESTDIR), "C:\\Other\\Place #1");
  EXPECT_FALSE(rig.exit_requested);
}

TEST(ConsoleUserTest, ALineItCannotUseIsAskedAgain) {
  ConsoleRig rig("hello\n9\nt 7\nf 9 C:\\X\nf 1 Books\n1\n");
  EXPECT_EQ(rig.RunOptions(), ID_OK);
  const std::string out = rig.out.str();
  for (const char* line : {"'hello'", "'9'", "'t 7'", "'f 9 C:\\X'", "'f 1 Books'"}) {
    EXPECT_TRUE(Contains(out, std::string("Not understood here: ") + line)) << line << "\n" << out;
  }
  EXPECT_EQ(rig.Value(0, KEY_DESTDIR), "C:\\Quillby\\Book");
}

TEST(ConsoleUserTest, TheEndOfInputExitsAndConfirmsTheExit) {
  ConsoleRig rig("");
  EXPECT_EQ(rig.RunOptions(), ID_CANCEL);
  EXPECT_TRUE(rig.exit_requested);
}

TEST(ConsoleUserTest, AnswersMessageBoxesByNumber) {
  const struct {
    const char* input;
    MessageBoxButtons buttons;
    MessageBoxResult expected;
  } cases[] = {
      {"2\n", MessageBoxButtons::YesNo, MessageBoxResult::No},
      {"\n", MessageBoxButtons::YesNo, MessageBoxResult::Yes},
      {"x\n3\n1\n", MessageBoxButtons::YesNo, MessageBoxResult::Yes},
      {"", MessageBoxButtons::RetryCancel, MessageBoxResult::Cancel},
      {"", MessageBoxButtons::Ok, MessageBoxResult::Ok},
  };
  for (const auto& c : cases) {
    CodePage code_page;
    std::istringstream in(c.input);
    std::ostringstream out;
    ConsoleUser user(code_page, in, out);
    EXPECT_EQ(user.AnswerMessageBox({"Setup", "Replace it?", MessageBoxIcon::Warning, c.buttons}),
              c.expected)
        << c.input;
  }
}

}  // namespace
}  // namespace setup
