#include "ui/dialogs/text_formats.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/dialogs/format_conversion.h"
#include "ui_fixture.h"

namespace setup {
namespace {

// The kinds of the conversions of a text as "s" and "c", in order.
std::string ConversionKinds(const std::string& text) {
  std::string kinds;
  for (const FormatConversion& spec : ReadConversions(text)) {
    if (spec.TakesArgument()) kinds.push_back(spec.conversion);
  }
  return kinds;
}

std::string TableKinds(int text) {
  std::string kinds;
  for (const TextFormatArg& arg : TextFormatArgs(text)) {
    kinds.push_back(arg.type == FormatArg::Type::Char ? 'c' : 's');
  }
  return kinds;
}

// The dialog tests check every dialog's exact texts with FillTexts' formats, so the table
// agrees with what each dialog passes when it agrees with those formats.
TEST(TextFormatsTest, TheTableListsWhatTheDialogTestsFormat) {
  SetupConfig config;
  testing::FillTexts(config);
  for (int text = 0; text < TEXT_COUNT; ++text) {
    if (config.GetText(text).empty()) continue;
    EXPECT_EQ(ConversionKinds(config.GetText(text)), TableKinds(text)) << TEXT_KEY_NAMES[text];
  }
}

}  // namespace
}  // namespace setup
