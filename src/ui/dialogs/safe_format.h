#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace setup {

// One argument of a SETUP.TXT text used as a format: a string (for "%s") or a character
// (for "%c").
struct FormatArg {
  enum class Type { String, Char };
  Type type = Type::String;
  std::string text;
  char ch = 0;

  static FormatArg Str(std::string text) { return FormatArg{Type::String, std::move(text), 0}; }
  static FormatArg Chr(char ch) { return FormatArg{Type::Char, {}, ch}; }
};

// Formats a text from SETUP.TXT printf-style with exactly the arguments given, safely:
// conversions take the arguments in order, as printf does; a conversion whose type does not
// match its argument ("%d" for a string, "%s" for a character), one with a length modifier
// or '*', one past the last argument, "%n" and any unknown conversion are copied to the
// result literally. "%%" gives '%'; a lone '%' at the end stays. Width and precision are
// honoured for "%s" and "%c", each capped at MAX_FORMAT_FIELD. Never reads anything else.
std::string SafeFormat(std::string_view format, std::initializer_list<FormatArg> args);

inline constexpr int MAX_FORMAT_FIELD = 4095;

}  // namespace setup
