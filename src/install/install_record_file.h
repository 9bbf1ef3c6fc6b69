#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/file_types.h"

namespace setup {

// One entry an installation made, as kept in its record.
struct RecordedEntry {
  enum class Kind { NewFile, ReplacedFile, NewFolder, NewLink };
  Kind kind = Kind::NewFile;
  // Files and links: the size and last-write time the install left.
  uint64_t size = 0;
  FileTime write_time = 0;
  // Files: the ContentHash of their bytes.
  uint64_t hash = 0;
  // The full Windows path.
  std::string path;

  bool IsFolder() const { return kind == Kind::NewFolder; }
  bool IsLink() const { return kind == Kind::NewLink; }
  bool operator==(const RecordedEntry&) const = default;
};

// The record of what one uninstall entry installed, as text: the line
// "SETUP INSTALL RECORD 1", then one line per entry,
//   KIND SIZE TIME HASH PATH
// KIND is new-file, replaced-file, new-folder or new-link; SIZE the size in bytes and TIME the
// last-write time (100 ns since 1601-01-01 UTC), both decimal; HASH the content hash as 16
// hexadecimal digits; PATH the rest of the line, a full path ("C:\...") in the disc's code
// page. A field that does
// not apply (a folder's size, time and hash, a link's hash) is "-". Lines end with LF.
std::string FormatInstallRecord(const std::vector<RecordedEntry>& entries);

// Reads the text FormatInstallRecord writes (a CR before each LF is allowed). Anything else
// fails with InvalidData and the message "line N: what is wrong".
Result<std::vector<RecordedEntry>> ParseInstallRecord(std::string_view text);

// Where the record of the uninstall entry `key` lives: `windows_dir`\SETUPREC\`key`.txt, with
// every byte of the key that a file name cannot hold, or that could make it another name
// (reserved device names, trailing dots and blanks), written as %XX. The key is read a
// character at a time in `code_page`: a two-byte character is kept whole, a lone first byte
// (at the end, or before a byte that cannot follow it) is escaped.
std::string InstallRecordPath(const std::string& windows_dir, const std::string& key,
                              const CodePage& code_page);

// The folder InstallRecordPath puts records in.
std::string InstallRecordFolder(const std::string& windows_dir, const CodePage& code_page);

// Reads and parses a record; FileNotFound or PathNotFound when there is none.
Result<std::vector<RecordedEntry>> ReadInstallRecord(FileSystem& fs, const std::string& path);

// Writes a record in place of the one there, all or nothing (its folder made when missing;
// `path` is read a character at a time in `code_page`).
Status WriteInstallRecord(FileSystem& fs, const std::string& path,
                          const std::vector<RecordedEntry>& entries, const CodePage& code_page);

}  // namespace setup
