#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace setup {

// Lexical work on Windows paths, shared by every FileSystem implementation. Paths are walked a
// character at a time in `code_page`: the second byte of a two-byte character is never a
// separator nor an invalid character.

// `path` made absolute against `current_directory` (a full path such as "C:\Books"): a
// drive letter with a colon and a separator is absolute; a drive letter without one is
// relative to the current directory when it is on that drive, else to the drive's root; a
// leading separator is rooted on the current drive. '\' and '/' both separate; '.' and '..'
// are resolved and never climb above the drive root; a trailing separator is kept. A
// "\\server\share" path stays a UNC path with its parts resolved the same way.
std::string FullWindowsPath(const std::string& path, const std::string& current_directory,
                            const CodePage& code_page);

// Whether `path` is names separated by single backslashes, none of them "." or ".." nor
// holding a drive's colon, with at most a trailing backslash ("" too).
bool IsPlainRelative(std::string_view path, const CodePage& code_page);

// What FullWindowsPath puts before a non-empty IsPlainRelative path to make it absolute
// against `current_directory`: that directory with its drive letter in capitals and one
// trailing backslash, when it is in full form already ("X:\" and IsPlainRelative names);
// "" when it is not. A caller that makes many paths absolute against one current directory
// takes it once.
std::string FullFormPrefix(const std::string& current_directory, const CodePage& code_page);

// The drive letter, in capitals, of a drive root ("C:\\", "c:/", "C:"); 0 for any other text.
char DriveRootLetter(const std::string& root);

// A full path without trailing separators, except at a drive root ("C:\\").
std::string WithoutTrailingSeparator(std::string full_path, const CodePage& code_page);

// The components after "X:\" of a full path ("C:\a\b" -> {"a", "b"}).
std::vector<std::string> PathComponents(const std::string& full_path, const CodePage& code_page);

// A FindFiles pattern split into the directory to list (with its trailing separator, or "."
// when the pattern names none) and the last component, which may hold wildcards:
// "C:\Books\*.txt" -> {"C:\Books\", "*.txt"}, "C:*" -> {"C:", "*"}, "*" -> {".", "*"}.
struct FindPattern {
  std::string directory;
  std::string name_pattern;
};
FindPattern SplitFindPattern(const std::string& pattern, const CodePage& code_page);

// Whether `name` holds a character that no Windows file name may hold (control characters,
// '<', '>', ':', '"', '|', '?', '*'). IsInvalidNameCharacter is for a single-byte character.
bool HasInvalidNameCharacter(std::string_view name, const CodePage& code_page);
inline bool IsInvalidNameCharacter(char c) {
  switch (c) {
    case '<':
    case '>':
    case ':':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return static_cast<unsigned char>(c) < 0x20;
  }
}

}  // namespace setup
