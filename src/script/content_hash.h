#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace setup {

// The XXH64 hash (seed 0) of a file's bytes, fed in pieces as they are written or read, so
// that a copy computes it on the way. Fast enough (several bytes per cycle) that a copy does
// not wait for it, unlike a byte-at-a-time hash.
class ContentHash {
 public:
  ContentHash();
  void Add(const char* data, size_t n);
  uint64_t value() const;

 private:
  static constexpr size_t STRIPE = 32;
  std::array<uint64_t, 4> lanes_;
  uint64_t total_ = 0;
  std::array<unsigned char, STRIPE> pending_ = {};
  size_t pending_size_ = 0;
};

// A WritableFile that hashes what goes through it into `hash` on its way to `target`.
class HashingWritableFile : public WritableFile {
 public:
  HashingWritableFile(WritableFile& target, ContentHash& hash) : target_(target), hash_(hash) {}
  Status Write(const char* data, size_t n) override;
  Status Commit() override { return target_.Commit(); }

 private:
  WritableFile& target_;
  ContentHash& hash_;
};

// The ContentHash of the whole file `path`, read through `fs`.
Result<uint64_t> HashFileContents(FileSystem& fs, const std::string& path);

}  // namespace setup
