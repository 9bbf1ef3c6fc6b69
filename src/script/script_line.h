#pragma once

#include <cstddef>
#include <string_view>

#include "platform/code_page.h"
#include "script/script_args.h"

namespace setup {

// The longest script line kept; the rest of a longer line is dropped (see ScriptTextReader).
inline constexpr size_t MAX_SCRIPT_LINE = 1023;

// Splits one script line (without its line end) into `args`, which is cleared first, and
// returns the number of fields stored. Only the space separates fields, runs of spaces count
// as one; a field that opens with '"' runs to the next '"' or, when there is none, to the end
// of the line plus one space. A quote inside a field is ordinary text. Fields after the
// tenth are ignored. The line is read a character at a time in `code_page`: a space or quote
// is never taken from the middle of a two-byte character.
size_t SplitScriptLine(std::string_view line, ScriptArgs& args, const CodePage& code_page);

}  // namespace setup
