#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace setup {

// The rules the original file system applies to each name in a path, apart from any host, so
// that every FileSystem implementation applies the same ones (a Win32 host included: paths
// given with the "\\?\" prefix skip the system's own clean-up).
//
// Only the last bytes of a name are dropped, and only '.' and ' ': neither is ever the second
// byte of a double-byte character in the code pages a disc may use (their trail bytes start at
// 0x40), so no character is split.

// A name as the file system stores it: without trailing dots and blanks ("Docs " -> "Docs",
// "a.txt." -> "a.txt", "..." -> ""); "." and ".." stay as they are.
std::string_view StoredName(std::string_view name);

// Whether `name` is a device name the file system keeps for itself: CON, PRN, AUX, NUL,
// COM1-COM9 or LPT1-LPT9, without regard to case, also with an extension ("nul.txt") and with
// blanks before the extension ("CON .log").
bool IsReservedDeviceName(std::string_view name);

// Whether the file system refuses a stored name (as StoredName makes it) with InvalidName:
// an empty one (a name of dots and blanks only), a reserved device name, or one holding a
// character no name may hold (the second byte of a two-byte character in `code_page` is no
// such character). A creating call is refused too, so that no host file is ever called CON.
bool IsRefusedName(std::string_view stored, const CodePage& code_page);

// A full path on a drive ("C:\Docs \a.txt.") with each name as stored ("C:\Docs\a.txt"); the
// drive prefix and a trailing separator are kept. Names are split only at separators of their
// own in `code_page`, never at a second byte 0x5C.
std::string WithStoredNames(const std::string& full_path, const CodePage& code_page);

}  // namespace setup
