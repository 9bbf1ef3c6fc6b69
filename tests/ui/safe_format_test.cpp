#include "ui/dialogs/safe_format.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

struct StringCase {
  const char* format;
  const char* expected;
};

// Texts used with one string argument (WelcomeText, ConfirmReplaceText1, ...), with "Demo".
TEST(SafeFormatTest, OneStringArgument) {
  const StringCase cases[] = {
      {"Welcome to %s.", "Welcome to Demo."},
      {"no conversion", "no conversion"},
      {"", ""},
      {"100%% sure: %s", "100% sure: Demo"},
      {"[%8s]", "[    Demo]"},
      {"[%-8s]", "[Demo    ]"},
      {"[%.2s]", "[De]"},
      // Hostile texts: nothing beyond the one argument is read.
      {"%s%s%s", "Demo%s%s"},
      {"%s %n", "Demo %n"},
      {"%d", "%d"},
      {"%999999d", "%999999d"},
      {"%ls", "%ls"},
      {"%*s", "%*s"},
      {"%.*s", "%.*s"},
      {"100%", "100%"},
      {"%", "%"},
      {"%-", "%-"},
      {"50% off %s", "50% off %s"},  // "% o" is a conversion and takes the argument
      {"%y %s", "%y Demo"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SafeFormat(c.format, {FormatArg::Str("Demo")}), c.expected) << c.format;
  }
}

TEST(SafeFormatTest, HugeWidthIsCapped) {
  std::string text = SafeFormat("%999999s", {FormatArg::Str("x")});
  EXPECT_EQ(text.size(), static_cast<size_t>(MAX_FORMAT_FIELD));
  EXPECT_EQ(text.back(), 'x');
}

// SpaceRequired and SpaceAvailable: a character, then a string.
TEST(SafeFormatTest, CharacterThenString) {
  const StringCase cases[] = {
      {"Space on drive %c: %s", "Space on drive C: 1.50 MBytes"},
      {"%s on %c", "%s on %c"},  // wrong order: shown as written
      {"%c%c", "C%c"},
      {"%c", "C"},
      {"%3c|", "  C|"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SafeFormat(c.format, {FormatArg::Chr('C'), FormatArg::Str("1.50 MBytes")}),
              c.expected)
        << c.format;
  }
}

TEST(SafeFormatTest, NulCharacterAddsNothing) {
  EXPECT_EQ(SafeFormat("drive %c: free", {FormatArg::Chr('\0')}), "drive : free");
}

TEST(SafeFormatTest, NoArguments) { EXPECT_EQ(SafeFormat("%s and %c", {}), "%s and %c"); }

}  // namespace
}  // namespace setup
