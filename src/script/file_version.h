#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"
#include "ui/framework/message_box.h"

namespace setup {

// A file's version as the version-checked copy compares it: the first three fields.
struct FileVersion {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t build = 0;

  bool operator==(const FileVersion&) const = default;
};

// Reads "major.minor.build" from a version text: each field as a decimal conversion reads it
// (blanks and a sign accepted, stops at the first non-digit); minor is read only when a
// second '.' follows it, build only after that; a text without '.' gives 0.0.0.
FileVersion ParseFileVersionText(const std::string& text);

// True when `installed` is lower than `offered`, field by field from major.
bool IsLowerVersion(const FileVersion& installed, const FileVersion& offered);

// The version named by the FileVersion string of the US English, code page 1252 string table
// ("040904E4") of the version resource of a program file (32-, 64- or 16-bit). Every other file,
// and every failure to read, gives 0.0.0; running out of memory also shows "Setup ran out of
// memory." (caption "Out of Memory", no icon).
void ReadFileVersion(FileSystem& fs, MessageBoxService& messages, const std::string& path,
                     FileVersion& version);

}  // namespace setup
