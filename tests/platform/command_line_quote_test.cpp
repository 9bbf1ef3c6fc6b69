#include "platform/command_line_quote.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace setup {
namespace {

// Each argument and what the C runtime's parser must get back: its quoted form.
struct QuoteCase {
  std::string argument;
  std::string quoted;
};

class QuoteCommandLineArgumentTest : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteCommandLineArgumentTest, QuotesOnlyWhatTheParserWouldSplitOrEat) {
  EXPECT_EQ(QuoteCommandLineArgument(GetParam().argument), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, QuoteCommandLineArgumentTest,
    ::testing::Values(
        QuoteCase{"plain", "plain"}, QuoteCase{"C:\\Books\\a.txt", "C:\\Books\\a.txt"},
        QuoteCase{"", "\"\""}, QuoteCase{"two words", "\"two words\""},
        QuoteCase{"tab\there", "\"tab\there\""}, QuoteCase{"say \"hi\"", "\"say \\\"hi\\\"\""},
        QuoteCase{"a\\\"b", "\"a\\\\\\\"b\""}, QuoteCase{"C:\\My Books\\", "\"C:\\My Books\\\\\""},
        QuoteCase{"C:\\My Books\\\\", "\"C:\\My Books\\\\\\\\\""},
        QuoteCase{"back\\slash inside", "\"back\\slash inside\""}));

TEST(BuildCommandLineTest, JoinsTheQuotedProgramAndArgumentsWithSingleBlanks) {
  EXPECT_EQ(BuildCommandLine("C:\\Program Files\\run.exe", {"-x", "two words", ""}),
            "\"C:\\Program Files\\run.exe\" -x \"two words\" \"\"");
  EXPECT_EQ(BuildCommandLine("run.exe", {}), "run.exe");
}

}  // namespace
}  // namespace setup
