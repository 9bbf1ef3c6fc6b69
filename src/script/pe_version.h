#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// Reading the FileVersion string of a PE file's version resource (32-bit and 64-bit images)
// with our own reader. Every offset, size and count in the file is checked against the bytes
// at hand; the resource tree is walked exactly three levels deep (type, name, language), so
// a directory that points back at itself cannot make the walk loop.

// Where a PE file keeps its resource directory.
struct PeResourceSection {
  uint64_t file_offset = 0;      // of the section holding the resource directory
  uint32_t raw_size = 0;         // bytes of that section stored in the file
  uint32_t virtual_address = 0;  // of that section
  uint32_t resource_rva = 0;     // of the resource directory
};

// The headers must lie in `head` (the first bytes of the file). Nothing for a file that is
// not a PE image or has no resource directory.
std::optional<PeResourceSection> LocatePeResourceSection(std::string_view head);

// Looks up "\StringFileInfo\<table>\<key>" of the version resource (ID 1) in the bytes of
// the resource section; keys match without regard to ASCII case, as the system's lookup
// does. The UTF-16 text comes back as 8-bit text ('?' for characters above U+00FF), at most
// 255 characters.
std::optional<std::string> FindVersionStringInSection(std::string_view section,
                                                      const PeResourceSection& location,
                                                      std::string_view table, std::string_view key);

// Both steps over a whole image held in memory.
std::optional<std::string> FindPeVersionString(std::string_view image, std::string_view table,
                                               std::string_view key);

// The first bytes of a file that hold the headers; a file's resource section is read from
// there on, at most MAX_PE_RESOURCE_SECTION bytes of it.
inline constexpr size_t MAX_PE_HEAD = 256 * 1024;
inline constexpr size_t MAX_PE_RESOURCE_SECTION = 64 * 1024 * 1024;

}  // namespace setup
