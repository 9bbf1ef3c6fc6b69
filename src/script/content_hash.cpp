#include "script/content_hash.h"

#include <memory>
#include <vector>

namespace setup {

void ContentHash::Add(const char* data, size_t n) {
  constexpr uint64_t PRIME = 0x100000001b3ULL;
  uint64_t value = value_;
  for (size_t i = 0; i < n; ++i) {
    value ^= static_cast<uint8_t>(data[i]);
    value *= PRIME;
  }
  value_ = value;
}

Status HashingWritableFile::Write(const char* data, size_t n) {
  Status status = target_.Write(data, n);
  if (status.ok()) hash_.Add(data, n);
  return status;
}

Result<uint64_t> HashFileContents(FileSystem& fs, const std::string& path) {
  Result<std::unique_ptr<ReadableFile>> file = fs.OpenForRead(path);
  if (!file.ok()) return file.status();
  ContentHash hash;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    Result<size_t> got = (*file)->Read(buffer.data(), buffer.size());
    if (!got.ok()) return got.status();
    if (*got == 0) return hash.value();
    hash.Add(buffer.data(), *got);
  }
}

}  // namespace setup
