#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace setup {
namespace {

using std::string_literals::operator""s;

struct LookupCase {
  const char* name;
  std::string text;
  std::string section;
  std::string key;
  std::optional<std::string> expected;
};

class IniLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTest, FindsTheValueTheRulesGive) {
  const LookupCase& c = GetParam();
  IniFile ini = IniFile::Parse(c.text);
  EXPECT_EQ(ini.Find(c.section, c.key), c.expected);
}

const std::string LONG_4095(4095, 'v');

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookupTest,
    ::testing::Values(
        LookupCase{"plain", "[Setup]\nKey=Value\n", "Setup", "Key", "Value"},
        LookupCase{"section_case", "[SeTuP]\nkey=v\n", "SETUP", "key", "v"},
        LookupCase{"key_case", "[s]\nMainProdName=v\n", "s", "MAINPRODNAME", "v"},
        LookupCase{"blanks_around_names", "  [ Setup ]  \n \t Key \t = v\n", "Setup", "Key", "v"},
        LookupCase{"blanks_around_value", "[s]\nk=  \t spaced value \t \n", "s", "k",
                   "spaced value"},
        LookupCase{"quotes_keep_inner_blanks", "[s]\nk=  \"  in \"  \n", "s", "k", "  in "},
        LookupCase{"only_one_pair_removed", "[s]\nk=\"\"x\"\"\n", "s", "k", "\"x\""},
        LookupCase{"mismatched_quotes_kept", "[s]\nk=\"x'\n", "s", "k", "\"x'"},
        LookupCase{"lone_quote_kept", "[s]\nk=\"\n", "s", "k", "\""},
        LookupCase{"semicolon_in_value", "[s]\nk=a ; b\n", "s", "k", "a ; b"},
        LookupCase{"high_bytes_not_folded", "[\xDC]\nk=v\n", "\xFC", "k", std::nullopt},
        LookupCase{"first_key_wins", "[s]\nk=first\nK=second\n", "s", "k", "first"},
        LookupCase{"later_block_of_section_ignored", "[s]\nk=first\n[t]\n[S]\nnew=x\n", "s", "new",
                   std::nullopt},
        LookupCase{"key_before_first_section", "k=v\n[s]\n", "s", "k", std::nullopt},
        LookupCase{"comment_line", "[s]\n; k=v\n", "s", "; k", std::nullopt},
        LookupCase{"line_without_equals_ignored", "[s]\njunk line\nk=v\n", "s", "k", "v"},
        LookupCase{"unclosed_header_ignored", "[s]\n[broken\nk=v\n", "s", "k", "v"},
        LookupCase{"unclosed_header_no_section", "[broken\nk=v\n", "broken", "k", std::nullopt},
        LookupCase{"text_after_header_ignored", "[s] trailing=1\nk=v\n", "s", "k", "v"},
        LookupCase{"empty_section_name", "[]\nk=v\n", "", "k", "v"},
        LookupCase{"no_final_line_end", "[s]\nk=last", "s", "k", "last"},
        LookupCase{"cr_ends_value", "[s]\nk=v\r", "s", "k", "v"},
        LookupCase{"nul_ends_value", "[s]\nk=ab\0cd\nx=1\n"s, "s", "k", "ab"},
        LookupCase{"nul_before_value", "[s]\nk= \0cd\n"s, "s", "k", ""},
        LookupCase{"nul_before_equals", "[s]\nk\0=v\n"s, "s", "k", std::nullopt},
        LookupCase{"nul_in_header", "[s]\n[t\0]\nk=v\n"s, "s", "k", "v"},
        LookupCase{"nul_at_line_start", "[s]\n\0k=v\nk=w\n"s, "s", "k", "w"},
        LookupCase{"value_at_limit", "[s]\nk=" + LONG_4095 + "\n", "s", "k", LONG_4095},
        LookupCase{"value_cut", "[s]\nk=" + LONG_4095 + "xyz\n", "s", "k", LONG_4095},
        LookupCase{"quoted_value_cut", "[s]\nk=\"" + LONG_4095 + "xyz\"\n", "s", "k", LONG_4095},
        LookupCase{"trailing_blanks_beyond_limit",
                   "[s]\nk=" + LONG_4095 + std::string(100000, ' ') + "\n", "s", "k", LONG_4095},
        LookupCase{"quote_after_long_blanks", "[s]\nk=\"ab" + std::string(100000, ' ') + "\"\n",
                   "s", "k", "ab" + std::string(4093, ' ')},
        LookupCase{"long_line_value", "[s]\nk=" + std::string(100000, 'x') + "\nn=1\n", "s", "n",
                   "1"},
        LookupCase{"long_key_ignored", "[s]\n" + std::string(100000, 'k') + "=v\nn=1\n", "s",
                   std::string(4095, 'k'), std::nullopt},
        LookupCase{"long_section_ignored", "[" + std::string(100000, 's') + "]\nk=v\n",
                   std::string(4095, 's'), "k", std::nullopt},
        LookupCase{"long_comment_skipped", "[s]\n;" + std::string(100000, 'c') + "\nk=v\n", "s",
                   "k", "v"},
        LookupCase{"key_name_blanks_trimmed_at_limit",
                   "[s]\n" + std::string(4095, 'k') + std::string(50, ' ') + "=v\n", "s",
                   std::string(4095, 'k'), "v"}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.name); });

struct LineCase {
  const char* name;
  std::string text;
  std::string section;
  std::string key;  // "" for the section's header
  size_t line;
};

class IniLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(IniLineTest, CountsLinesAsTheFileBreaksThem) {
  const LineCase& c = GetParam();
  IniFile ini = IniFile::Parse(c.text);
  EXPECT_EQ(c.key.empty() ? ini.LineOf(c.section) : ini.LineOf(c.section, c.key), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IniLineTest,
    ::testing::Values(
        LineCase{"first_line_is_one", "[s]\nk=v\n", "s", "", 1},
        LineCase{"after_comments_and_blanks", "; c\n\n  \n[s]\n;x=1\nk=v\n", "s", "k", 6},
        LineCase{"cr_only", "[s]\ra=1\rb=2\r", "s", "b", 3},
        LineCase{"crlf_is_one_break", "[s]\r\na=1\r\nb=2\r\n", "s", "b", 3},
        LineCase{"lf_cr_is_two_breaks", "[s]\n\rb=2\n", "s", "b", 3},
        LineCase{"skipped_lines_count", "[s]\njunk\n[broken\n" + std::string(100000, 'j') + "\nk=v",
                 "s", "k", 5},
        LineCase{"nul_does_not_end_a_line", "[s]\nk=a\0b\nn=1\n"s, "s", "n", 3},
        LineCase{"first_key_wins", "[s]\nk=1\nk=2\n", "s", "k", 2},
        LineCase{"missing_key", "[s]\nk=v\n", "s", "x", 0},
        LineCase{"missing_section", "[s]\nk=v\n", "t", "", 0}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(IniFileTest, GetStringPrefersAPresentEmptyValueToTheDefault) {
  EXPECT_EQ(IniFile().GetString("Setup", "MainProdName", "Error"), "Error");
  IniFile ini = IniFile::Parse("[s]\nk=\n");
  EXPECT_EQ(ini.GetString("s", "k", "Error"), "");
  EXPECT_EQ(ini.GetString("s", "other", "Error"), "Error");
}

TEST(IniFileTest, StopsStoringNewKeysAtTheMemoryBound) {
  // 5,000 values of 4,000 characters are more than MAX_STORED_BYTES.
  const std::string value(4000, 'v');
  const int keys = 5000;
  std::string text = "[s]\n";
  for (int i = 0; i < keys; ++i) text += "key" + std::to_string(i) + "=" + value + "\n";
  IniFile ini = IniFile::Parse(text);
  EXPECT_EQ(ini.Find("s", "key0"), value);
  EXPECT_EQ(ini.Find("s", "key" + std::to_string(keys - 1)), std::nullopt);
}

TEST(IniFileNamesTest, GivesSectionsAndKeysAsFirstSpelled) {
  IniFile ini =
      IniFile::Parse("[Options]\nSelect = 1\nSELECT = 2\n  Button  = Exit\n[ExitConfirm]\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"ExitConfirm", "Options"}));
  EXPECT_EQ(ini.KeyNames("options"), (std::vector<std::string>{"Button", "Select"}));
  EXPECT_TRUE(ini.KeyNames("Missing").empty());
}

struct IgnoredCase {
  const char* text;
  size_t line;
};

TEST(IniFileNamesTest, TellsTheFirstLineThatCarriedNothing) {
  const std::vector<IgnoredCase> cases = {
      {"[s]\n; comment\n\n   \nk = v\n", 0},
      {"[s]\nno equals sign\nk = v\n", 2},
      {"k = v\n[s]\n", 1},
      {"[s]\n[S]\nk = v\n", 2},
      {"[s]\r\nk = v\r\n[t]\r\nbad\r\nworse\r\n", 4},
  };
  for (const IgnoredCase& c : cases) {
    EXPECT_EQ(IniFile::Parse(c.text).FirstIgnoredLine(), c.line) << c.text;
  }
}

}  // namespace
}  // namespace setup
