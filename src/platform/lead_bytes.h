#pragma once

#include <bitset>

namespace setup {

// The bytes that start a two-byte character in an ANSI code page.
using LeadByteSet = std::bitset<256>;

// The lead bytes of the double-byte code pages 932 (Shift-JIS), 936 (GBK), 949 (Unified
// Hangul) and 950 (Big5) as the original system declares them, the rows of user-defined
// characters included, which the host's converter may not know; none for any other code page.
LeadByteSet LeadBytesOf(int code_page);

}  // namespace setup
