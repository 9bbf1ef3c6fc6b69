#include "script/content_hash.h"

#include <gtest/gtest.h>

#include <string>

namespace setup {
namespace {

// 100,000 bytes of a pattern that runs through every byte value.
std::string Pattern() {
  std::string text(100000, '\0');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>((i * 7 + (i >> 9)) & 0xff);
  return text;
}

// The values xxhsum -H1 prints for the same bytes.
TEST(ContentHashTest, IsXxh64WhateverThePieces) {
  const struct {
    std::string text;
    uint64_t hash;
  } cases[] = {
      {"", 0xef46db3751d8e999ULL},
      {"a", 0xd24ec4f1a98c6e5bULL},
      {"abc", 0x44bc2cf5ad770999ULL},
      {Pattern(), 0x36932ef9b130f86cULL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.size());
    for (size_t piece : {c.text.size() + 1, size_t{1}, size_t{7}, size_t{33}, size_t{4096}}) {
      ContentHash hash;
      for (size_t at = 0; at < c.text.size(); at += piece) {
        hash.Add(c.text.data() + at, std::min(piece, c.text.size() - at));
      }
      EXPECT_EQ(hash.value(), c.hash) << "in pieces of " << piece;
    }
  }
}

}  // namespace
}  // namespace setup
