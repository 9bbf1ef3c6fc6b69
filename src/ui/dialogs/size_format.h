#pragma once

#include <cstdint>
#include <string>

namespace setup {

// The unit words of size texts (SETUP.TXT texts 50 to 52).
struct SizeUnits {
  std::string bytes;
  std::string kbytes;
  std::string mbytes;
};

// x with two decimals: x × 100 + 0.5 truncated, a point before the last two digits
// (1.999 gives "2.00"). Values below 1 get a leading "0" ("0.50"); negative values a sign.
std::string FormatTwoDecimals(double x);

// The replace confirmation's size text: below 1024 bytes the count and the Bytes word, below
// 1048576 the KBytes value, else the MBytes value. Works on the full 64-bit count.
std::string FormatReplaceSize(int64_t bytes, const SizeUnits& units);

// The Options dialog's size text, with strict limits: up to 1024 the count and the Bytes
// word, up to 1048576 the KBytes value (1048576 gives "1024.00"), above it the MBytes value.
std::string FormatByteSize(uint64_t bytes, const SizeUnits& units);

// A FileSize value as a byte count: leading blanks and a sign, then the leading digits; no
// digits give 0; a negative count gives 0 and a count beyond 64 bits saturates.
uint64_t ParseByteCount(const std::string& text);

}  // namespace setup
