#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace setup {

// Searches in 8-bit text that go a character at a time in its code page, so that the second
// byte of a two-byte character (0x5C in Shift-JIS '表') is never taken for the ASCII
// character of the same value. `from` must be where a character starts.

// The position of the first `c` (an ASCII character) at or after `from`; npos when none.
size_t FindCharacter(const CodePage& code_page, std::string_view text, char c, size_t from = 0);

// The position of the last character that is one of `any_of` (ASCII); npos when none.
size_t FindLastCharacter(const CodePage& code_page, std::string_view text, std::string_view any_of);

// Where the character that ends at `pos` (0 < pos <= text.size()) starts; it is the one that
// holds byte pos - 1.
size_t CharacterStartBefore(const CodePage& code_page, std::string_view text, size_t pos);

// Whether the last character of `text` is `c`; false for "".
bool EndsWithCharacter(const CodePage& code_page, std::string_view text, char c);

// The characters of `text`, one or two bytes each, in order.
std::vector<std::string> SplitCharacters(const CodePage& code_page, std::string_view text);

// `path` with a backslash appended unless its last character is one ("" gets one).
std::string WithTrailingBackslash(const CodePage& code_page, std::string path);

}  // namespace setup
