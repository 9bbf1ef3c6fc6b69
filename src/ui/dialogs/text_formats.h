#pragma once

#include <vector>

#include "ui/dialogs/safe_format.h"

namespace setup {

// One argument the program passes to a SETUP.TXT text it formats.
struct TextFormatArg {
  FormatArg::Type type;
  // What the argument is, as a publisher would call it ("the main product name").
  const char* meaning;
};

// The arguments, in order, that the program formats the SETUP.TXT text `text` with
// (TextId); empty for a text shown as it stands. This is the one list of what each dialog
// passes: a text's '%' conversions are checked against it.
const std::vector<TextFormatArg>& TextFormatArgs(int text);

// Whether the program shows or stores the text at all (some are loaded and never used).
bool IsTextUsed(int text);

}  // namespace setup
