#pragma once

#include <cstdint>
#include <vector>

namespace setup {

// `data` as a zlib stream (RFC 1950) of one deflate block with the fixed Huffman codes
// (RFC 1951): repeats found through a hash of three bytes within the last 32 KiB, the rest
// as literals. Window pictures, mostly flat colour, shrink to a few percent.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);

}  // namespace setup
