#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>

#include "platform/file_system.h"

namespace setup::testing {

// A file read from memory, handing out at most `chunk` bytes per Read; with `fail_at` set, the
// first Read that reaches that offset fails as a vanished medium would.
class MemoryReadableFile : public ReadableFile {
 public:
  explicit MemoryReadableFile(std::string data, size_t chunk = std::numeric_limits<size_t>::max(),
                              size_t fail_at = std::numeric_limits<size_t>::max())
      : data_(std::move(data)), chunk_(chunk), fail_at_(fail_at) {}

  Result<size_t> Read(char* buffer, size_t n) override {
    const size_t count = std::min({n, chunk_, data_.size() - pos_});
    if (pos_ + count >= fail_at_ && count > 0) {
      return Status::Error(WinError::NotReady, "A:\\SOURCE", "medium gone");
    }
    std::copy_n(data_.data() + pos_, count, buffer);
    pos_ += count;
    return count;
  }
  uint64_t Size() const override { return data_.size(); }

 private:
  std::string data_;
  size_t chunk_;
  size_t fail_at_;
  size_t pos_ = 0;
};

// A file written to memory.
class MemoryWritableFile : public WritableFile {
 public:
  Status Write(const char* data, size_t n) override {
    contents_.append(data, n);
    return Status::Ok();
  }
  Status Commit() override {
    committed_ = true;
    return Status::Ok();
  }

  const std::string& contents() const { return contents_; }
  bool committed() const { return committed_; }

 private:
  std::string contents_;
  bool committed_ = false;
};

}  // namespace setup::testing
