#pragma once

#include <array>
#include <bitset>
#include <vector>

#include "platform/status.h"

namespace setup {

// What the host's converter makes of each byte of a code page on its own.
struct CodePageTable {
  // The Unicode code point of each byte; a byte the code page leaves undefined, or that only
  // starts a two-byte character, keeps its own value.
  std::array<char32_t, 256> unicode{};
  // The bytes that the converter takes only as the first of two.
  std::bitset<256> starts_pair;
  // The bytes that the converter refuses on their own.
  std::bitset<256> undefined;
};

// The table of code page `number` (1 to 65535) as the host's converter knows it. Fails with
// InvalidParameter, the number as the path, when the host does not know the code page.
Result<CodePageTable> HostCodePageTable(int number);

// The Unicode code points of the two-byte characters of code page `number` that begin with
// one of `lead_bytes`, indexed by lead byte * 256 + trail byte; 0 where the host's converter
// knows no such character. Empty when the host does not know the code page.
std::vector<char32_t> HostDoubleByteTable(int number, const std::bitset<256>& lead_bytes);

// Upper- and lower-case of a Unicode code point, the same whatever the process's locale;
// a code point without a case partner comes back unchanged.
char32_t UnicodeUpper(char32_t c);
char32_t UnicodeLower(char32_t c);

}  // namespace setup
