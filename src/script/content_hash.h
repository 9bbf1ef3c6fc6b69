#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace setup {

// The 64-bit FNV-1a hash of a file's bytes, fed in pieces as they are written or read, so
// that a copy computes it on the way.
class ContentHash {
 public:
  void Add(const char* data, size_t n);
  uint64_t value() const { return value_; }

 private:
  uint64_t value_ = 0xcbf29ce484222325ULL;
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
