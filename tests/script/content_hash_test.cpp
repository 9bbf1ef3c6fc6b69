#include "script/content_hash.h"

#include <gtest/gtest.h>

#include "support/memory_file_system.h"

namespace setup {
namespace {

TEST(ContentHashTest, IsFnv1a64WhateverThePieces) {
  const struct {
    std::string text;
    uint64_t hash;
  } cases[] = {
      {"", 0xcbf29ce484222325ULL},
      {"a", 0xaf63dc4c8601ec8cULL},
      {"foobar", 0x85944171f73967e8ULL},
  };
  for (const auto& c : cases) {
    ContentHash whole;
    whole.Add(c.text.data(), c.text.size());
    EXPECT_EQ(whole.value(), c.hash) << c.text;
    ContentHash pieces;
    for (char byte : c.text) pieces.Add(&byte, 1);
    EXPECT_EQ(pieces.value(), c.hash) << c.text;
  }
}

TEST(ContentHashTest, HashesAFileAndWhatIsWritten) {
  testing::MemoryFileSystem fs;
  fs.AddDrive('C', DriveType::Fixed);
  const std::string big(200000, 'x');
  {
    auto file = fs.CreateForWrite("C:\\big.txt");
    ASSERT_TRUE(file.ok());
    ContentHash hash;
    HashingWritableFile hashing(**file, hash);
    ASSERT_TRUE(hashing.Write(big.data(), big.size()).ok());
    ASSERT_TRUE(hashing.Commit().ok());
    ContentHash expected;
    expected.Add(big.data(), big.size());
    EXPECT_EQ(hash.value(), expected.value());
    auto read = HashFileContents(fs, "C:\\big.txt");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, expected.value());
  }
  EXPECT_EQ(HashFileContents(fs, "C:\\none.txt").status().win_error(), WinError::FileNotFound);
}

}  // namespace
}  // namespace setup
