#pragma once

#include <string>
#include <string_view>

namespace setup {

// Text at the boundary of the Win32 wide-character API. `code_page` is a Windows code page
// number (the disc's, or the system's ANSI code page for host paths and the environment).

// `text` in `code_page` as UTF-16; a byte the code page leaves undefined keeps its value.
std::wstring WidenText(std::string_view text, unsigned code_page);
// `text` in `code_page`; a character the code page cannot hold becomes '?'.
std::string NarrowText(std::wstring_view text, unsigned code_page);

// The system's ANSI code page: the encoding of the command line and of host paths.
unsigned SystemAnsiCodePage();

}  // namespace setup
