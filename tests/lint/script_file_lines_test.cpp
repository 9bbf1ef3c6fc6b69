#include "lint/script_file_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup {
namespace {

struct LinesCase {
  const char* name;
  std::string text;
  // Each line the runner runs, as "LINE:text", with "!N" when a bare line feed sits in it
  // on line N.
  std::vector<std::string> lines;
};

std::string Describe(const NumberedScriptLine& line) {
  std::string text;
  for (char c : line.text) text += c == '\n' ? std::string("\\n") : std::string(1, c);
  std::string described = std::to_string(line.line) + ":" + text;
  if (line.bare_line_feed != 0) described += "!" + std::to_string(line.bare_line_feed);
  return described;
}

class ScriptFileLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ScriptFileLinesTest, NumbersLinesAsAnEditorDoes) {
  std::vector<std::string> described;
  for (const NumberedScriptLine& line : ReadNumberedScriptLines(GetParam().text)) {
    described.push_back(Describe(line));
  }
  EXPECT_EQ(described, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ScriptFileLinesTest,
    ::testing::Values(LinesCase{"crlf", "MD A\r\nMD B\r\n", {"1:MD A", "2:MD B"}},
                      LinesCase{"blank_lines_keep_their_numbers",
                                "\r\n\r\nMD A\r\n\r\nMD B",
                                {"3:MD A", "5:MD B"}},
                      // The runner reads an LF-only file as one line.
                      LinesCase{"line_feeds_alone", "MD A\nMD B\n", {"1:MD A\\nMD B\\n!1"}},
                      LinesCase{"one_bare_line_feed_among_crlf",
                                "MD A\r\nMD B\nMD C\r\nMD D\r\n",
                                {"1:MD A", "2:MD B\\nMD C!2", "4:MD D"}},
                      LinesCase{"a_leading_line_feed_is_text", "\nMD A\r\n", {"1:\\nMD A!1"}},
                      LinesCase{"a_zero_byte_ends_the_text",
                                std::string("MD A\r\nMD B\0MD C\r\n", 18),
                                {"1:MD A", "2:MD B"}}),
    [](const ::testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace setup
