#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace setup {

// A private-profile (INI) file read once into memory, answering lookups as the profile
// reader of the original system does: section and key names without regard to case, blanks
// around names and values trimmed, one pair of enclosing quotes (" or ') removed, the first
// occurrence of a section and of a key wins, values cut at 4095 characters. Lines end at CR,
// LF or CRLF; a line whose first non-blank is ';' is a comment; a NUL ends the text of its
// line. Memory stays bounded whatever the input: values are cut, and once MAX_STORED_BYTES
// are held further new keys are ignored.
//
// Lines that carry nothing are skipped silently, as the original reader does: a line
// without '=' that is not a section header (a '[' with no ']' included), key lines before
// the first section header, names longer than MAX_NAME_LENGTH (and the keys of such a
// section), and every line of a section whose name already appeared earlier in the file.
// Text after a section header's ']' is ignored. Bytes are taken as they are (8-bit text in
// the disc's code page); only ASCII letters are folded when names are matched.
class IniFile {
 public:
  static constexpr size_t MAX_VALUE_LENGTH = 4095;
  static constexpr size_t MAX_NAME_LENGTH = 4095;
  static constexpr size_t MAX_STORED_BYTES = 16 * 1024 * 1024;

  // An empty file: every lookup gives its default.
  IniFile() = default;
  static IniFile Parse(std::string_view text);
  // Reads `path` through the file system in chunks, so neither a huge file nor a huge line
  // is ever held whole; a file that cannot be opened or read gives an empty IniFile, as the
  // original reader falls back to defaults.
  static IniFile Load(FileSystem& fs, const std::string& path);

  // The value, or `default_value` when the section or key is missing.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view default_value) const;
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // The line (from 1; CR, LF and CRLF each end one) of the section's header, or of the key's
  // line in it; 0 when it is missing.
  size_t LineOf(std::string_view section) const;
  size_t LineOf(std::string_view section, std::string_view key) const;
  // The names of the sections, and of one section's keys, as first spelled in the file.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The first line skipped although it holds more than blanks or a comment (see above:
  // no '=', no ']', a key outside any section, a name too long, a repeated section); 0
  // when there is none.
  size_t FirstIgnoredLine() const { return first_ignored_line_; }

 private:
  class Parser;
  struct Entry {
    std::string value;
    size_t line = 0;
    std::string name;
  };
  struct Section {
    size_t line = 0;
    std::string name;
    std::map<std::string, Entry, std::less<>> keys;
  };
  const Entry* FindEntry(std::string_view section, std::string_view key) const;

  // Names are stored lower-cased (ASCII), as they are matched.
  std::map<std::string, Section, std::less<>> sections_;
  size_t stored_bytes_ = 0;
  size_t first_ignored_line_ = 0;
};

}  // namespace setup
