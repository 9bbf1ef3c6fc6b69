#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace setup {

// Reading the FileVersion string of a 16-bit (NE) file's version resource with our own
// reader, as the system's version query reads it from 16-bit DLLs and programs. Every offset,
// size and count in the file is checked against the bytes at hand.
//
// The file: an MZ header whose e_lfanew (at 0x3C) points at the "NE" header; at 0x24 in it
// the offset (from the NE header) of the resource table: an alignment shift, then per type
// its id (0 ends the table, 0x8000 | n a numbered type), its resource count, four reserved
// bytes and 12 bytes per resource (offset and length in units of 1 << shift, flags, id,
// two reserved words). The version resource is type 0x8010 (RT_VERSION), id 0x8001.
//
// Its block is the 16-bit VS_VERSIONINFO: nested nodes of length and value length (no type),
// a NUL-terminated ANSI key, the value and the children, each of the last two from a 4-byte
// boundary; "VS_VERSION_INFO" holds the fixed information as in 32-bit files, then
// "StringFileInfo" with its tables of ANSI strings.

// Where a 16-bit file keeps its version resource.
struct NeVersionResource {
  uint64_t file_offset = 0;
  uint64_t size = 0;
};

// The headers and the resource table must lie in `head` (the first bytes of the file). Nothing
// for a file that is not an NE file or has no version resource. Of the resource, only its
// first MAX_NE_VERSION_BLOCK bytes are read, and the file must hold them.
std::optional<NeVersionResource> LocateNeVersionResource(std::string_view head);

// Looks up "\StringFileInfo\<table>\<key>" in a 16-bit version block; keys match without
// regard to ASCII case. At most 255 characters of the text come back.
std::optional<std::string> FindNeVersionStringInBlock(std::string_view block,
                                                      std::string_view table, std::string_view key);

// Both steps over a whole file held in memory.
std::optional<std::string> FindNeVersionString(std::string_view image, std::string_view table,
                                               std::string_view key);

// A block's length is a 16-bit field: no more of a resource is ever needed.
inline constexpr size_t MAX_NE_VERSION_BLOCK = 0xFFFF;

}  // namespace setup
