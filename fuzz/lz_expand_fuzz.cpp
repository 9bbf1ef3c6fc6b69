// Drives the expanding copy with arbitrary files, read in small and odd-sized pieces so the
// decoder's buffer refills land everywhere in the stream.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "install/lz_expand.h"

namespace {

class FuzzReadableFile : public setup::ReadableFile {
 public:
  FuzzReadableFile(const uint8_t* data, size_t size, size_t chunk)
      : data_(data), size_(size), chunk_(chunk) {}
  setup::Result<size_t> Read(char* buffer, size_t n) override {
    const size_t count = std::min({n, chunk_, size_ - pos_});
    std::copy_n(data_ + pos_, count, buffer);
    pos_ += count;
    return count;
  }
  uint64_t Size() const override { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t chunk_;
  size_t pos_ = 0;
};

// Keeps only the length and a checksum, so large outputs cost no memory.
class CountingWritableFile : public setup::WritableFile {
 public:
  setup::Status Write(const char* data, size_t n) override {
    for (size_t i = 0; i < n; ++i) sum_ = sum_ * 31 + static_cast<unsigned char>(data[i]);
    size_ += n;
    return setup::Status::Ok();
  }
  setup::Status Commit() override { return setup::Status::Ok(); }
  uint64_t size() const { return size_; }
  uint64_t sum() const { return sum_; }

 private:
  uint64_t size_ = 0;
  uint64_t sum_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the read size; the rest is the file.
  const size_t chunk = 1 + data[0] % 32;
  FuzzReadableFile whole(data + 1, size - 1, SIZE_MAX);
  FuzzReadableFile pieces(data + 1, size - 1, chunk);
  CountingWritableFile a;
  CountingWritableFile b;
  const setup::Status first = setup::ExpandStream(whole, a, "F");
  const setup::Status second = setup::ExpandStream(pieces, b, "F");
  // How the file is read must not change the outcome.
  if (first.ok() != second.ok() || first.win_error() != second.win_error() ||
      (first.ok() && (a.size() != b.size() || a.sum() != b.sum()))) {
    __builtin_trap();
  }
  return 0;
}
