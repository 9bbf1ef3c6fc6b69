#include "script/script_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "script/script_text_reader.h"
#include "support/loaded_code_page.h"

namespace setup {
namespace {

std::vector<std::string> Fields(const std::string& line, const CodePage& code_page = CodePage()) {
  ScriptArgs args;
  args[9] = "stale";
  size_t count = SplitScriptLine(line, args, code_page);
  std::vector<std::string> fields(args.slots.begin(), args.slots.begin() + count);
  for (size_t slot = count; slot < SCRIPT_ARG_SLOTS; ++slot) EXPECT_EQ(args[slot], "") << slot;
  return fields;
}

TEST(SplitScriptLineTest, SplitsAsScriptsExpect) {
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"COPY a.txt b.txt", {"COPY", "a.txt", "b.txt"}},
      {"COPY  \"C:\\Program Files\\a.txt\"   b.txt", {"COPY", "C:\\Program Files\\a.txt", "b.txt"}},
      {"DEL \"unterminated", {"DEL", "unterminated "}},
      {"RUN setup.exe \"\"", {"RUN", "setup.exe", ""}},
      {" DEL x", {"", "DEL", "x"}},
      {"A\tB C", {"A\tB", "C"}},
      {"a\"b\" c", {"a\"b\"", "c"}},
      {"\"x\"y z", {"x", "y", "z"}},
      {"\"", {" "}},
      {"\"\"", {""}},
      {"a\nb c", {"a\nb", "c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Fields(c.line), c.fields) << c.line;
}

// Fields of Shift-JIS names whose second bytes are 0x5C ('表', 'ソ') and 'a' (0x83 0x61): they
// stay whole; a lead byte before a space or quote takes it as its second byte.
TEST(SplitScriptLineTest, DoubleByteCharactersStayWhole) {
  struct Case {
    std::string line;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"MD C:\\\x95\x5C\\\x83\x5C", {"MD", "C:\\\x95\x5C\\\x83\x5C"}},
      {"COPY \"D:\\\x95\x5C a.txt\" C:\\\x83\x61", {"COPY", "D:\\\x95\x5C a.txt", "C:\\\x83\x61"}},
      {"DEL \x95 x", {"DEL", "\x95 x"}},
      {"\"\x95\" x\"", {"\x95\" x"}},
  };
  const CodePage shift_jis = testing::LoadedCodePage(932);
  for (const auto& c : cases) EXPECT_EQ(Fields(c.line, shift_jis), c.fields) << c.line;
}

TEST(SplitScriptLineTest, FieldsBeyondTheTenthAreIgnored) {
  EXPECT_EQ(Fields("0 1 2 3 4 5 6 7 8 9 10 11"),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

std::vector<std::string> Lines(const std::vector<std::string>& chunks) {
  std::vector<std::string> lines;
  ScriptTextReader reader([&](std::string_view line) { lines.emplace_back(line); });
  for (const auto& chunk : chunks) {
    if (!reader.Feed(chunk)) break;
  }
  reader.Finish();
  return lines;
}

TEST(ScriptTextReaderTest, CutsLinesAsScriptsExpect) {
  using std::string_literals::operator""s;
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"CR LF", "MD a\r\nMD b\r\n", {"MD a", "MD b"}},
      {"CR alone", "MD a\rMD b", {"MD a", "MD b"}},
      {"blank lines", "MD a\r\n\r\n\r\r\n\nMD b\r\n", {"MD a", "MD b"}},
      {"LF only is one line", "MD a\nMD b\n", {"MD a\nMD b\n"}},
      {"leading CR gives an empty line, skipped", "\r\nMD a", {"MD a"}},
      {"leading LF stays in the line", "\nMD a", {"\nMD a"}},
      {"zero byte ends the text", "MD a\r\nMD b\0\r\nMD c"s, {"MD a", "MD b"}},
      {"zero byte right after a line end", "MD a\r\n\0MD c"s, {"MD a"}},
      {"empty", "", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines({c.text}), c.lines) << c.what;
    // Chunk boundaries change nothing.
    std::vector<std::string> bytes;
    for (char ch : c.text) bytes.emplace_back(1, ch);
    EXPECT_EQ(Lines(bytes), c.lines) << c.what << " byte by byte";
  }
}

TEST(ScriptTextReaderTest, LongLinesAreCutAtTheLimit) {
  std::string long_line(5000, 'x');
  auto lines = Lines({long_line + "\r\nMD b", "\r\n"});
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], std::string(MAX_SCRIPT_LINE, 'x'));
  EXPECT_EQ(lines[1], "MD b");
}

}  // namespace
}  // namespace setup
