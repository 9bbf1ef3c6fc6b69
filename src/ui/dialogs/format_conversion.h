#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "ui/dialogs/safe_format.h"

namespace setup {

// One '%' of a SETUP.TXT text used as a format, read as printf reads it: flags, width or
// '*', precision or '*', length modifiers, the conversion character.
struct FormatConversion {
  size_t start = 0;  // the '%'
  size_t end = 0;    // just past the conversion character, or the end of a cut-off text
  bool left = false;
  int width = 0;
  int precision = -1;
  bool star = false;
  bool length = false;
  // The conversion character: '%' for "%%", 0 when the text ends before one.
  char conversion = 0;

  // Whether printf would take an argument for it (an unknown character takes none).
  bool TakesArgument() const;
  // Whether SafeFormat fills it from an argument of this type rather than copying it.
  bool Fits(FormatArg::Type type) const;
  std::string_view Text(std::string_view format) const { return format.substr(start, end - start); }
};

// Every '%' of `format` in order, "%%" included; each holds no other.
std::vector<FormatConversion> ReadConversions(std::string_view format);

}  // namespace setup
