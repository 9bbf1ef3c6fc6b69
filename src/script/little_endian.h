#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace setup::little_endian {

// Bounds and little-endian fields of a program file's bytes, for readers that check every
// offset before they read it.

// Whether `data` holds `n` bytes from `offset`.
inline bool Has(std::string_view data, uint64_t offset, uint64_t n) {
  return offset <= data.size() && n <= data.size() - offset;
}

// The field at `offset`; Has(data, offset, 2) (or 4) must hold.
inline uint16_t Le16(std::string_view data, size_t offset) {
  return static_cast<uint16_t>(static_cast<uint8_t>(data[offset]) |
                               static_cast<uint8_t>(data[offset + 1]) << 8);
}
inline uint32_t Le32(std::string_view data, size_t offset) {
  return static_cast<uint32_t>(Le16(data, offset)) | static_cast<uint32_t>(Le16(data, offset + 2))
                                                         << 16;
}

inline size_t Align4(size_t offset) { return (offset + 3) & ~static_cast<size_t>(3); }

}  // namespace setup::little_endian
