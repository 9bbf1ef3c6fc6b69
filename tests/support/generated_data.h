#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

// Repeatable file contents for tests and benchmarks (header-only so the benchmarks, which
// are built without the tests, can use it too).
namespace setup::testing {

// Text-like data with repeats near and far, as program and book files compress, so a
// compressor uses every match form.
inline std::string CompressibleData(size_t n, uint32_t seed) {
  static const char* const WORDS[] = {"the ",     "quillby ", "book ",  "setup ", "\r\n",
                                      "chapter ", "0000",     "index ", "files ", "        "};
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(n + 16);
  while (s.size() < n) {
    if (rng() % 50 == 0) s += static_cast<char>(rng());
    s += WORDS[rng() % std::size(WORDS)];
  }
  s.resize(n);
  return s;
}

inline std::string RandomBytes(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

}  // namespace setup::testing
