#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup {
namespace {

struct LineCase {
  const char* name;
  std::vector<const char*> args;
  RunMode mode;
  bool json;
  std::string error;  // "" when the line parses
};

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, ParsesTheCheckAndPlanModes) {
  const LineCase& c = GetParam();
  std::string error;
  std::optional<CommandLine> line =
      ParseCommandLine(static_cast<int>(c.args.size()), c.args.data(), error);
  EXPECT_EQ(error, c.error);
  ASSERT_EQ(line.has_value(), c.error.empty());
  if (!line) return;
  EXPECT_EQ(line->mode, c.mode);
  EXPECT_EQ(line->json, c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    ::testing::Values(
        LineCase{"check", {"--check"}, RunMode::Check, false, ""},
        LineCase{"check_json", {"--json", "--check"}, RunMode::Check, true, ""},
        LineCase{"plan_with_answers", {"--plan", "--answers", "a.ini"}, RunMode::Plan, false, ""},
        LineCase{
            "json_alone", {"--json"}, RunMode::Install, false, "--json is only used with --check"},
        LineCase{"plan_and_check",
                 {"--plan", "--check"},
                 RunMode::Plan,
                 false,
                 "option --check cannot be combined with another mode"}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace setup
