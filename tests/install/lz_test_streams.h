#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "install/lz_expand.h"
#include "support/memory_files.h"

namespace setup::testing {

// SZDD streams and their expansion in memory, shared by the decoder's tests and its
// comparison with other implementations.
constexpr size_t WHOLE = std::numeric_limits<size_t>::max();

struct Expanded {
  Status status;
  std::string output;
};

inline Expanded Expand(const std::string& input, size_t chunk = WHOLE) {
  MemoryReadableFile source(input, chunk);
  MemoryWritableFile destination;
  Status status = ExpandStream(source, destination, "A:\\FILE.TX_");
  EXPECT_FALSE(destination.committed());
  return {status, destination.contents()};
}

inline std::string Header(uint32_t length, char mode = 'A') {
  std::string header("SZDD\x88\xF0\x27\x33", 8);
  header += mode;
  header += 'T';
  for (int shift = 0; shift < 32; shift += 8) header += static_cast<char>(length >> shift);
  return header;
}

}  // namespace setup::testing
