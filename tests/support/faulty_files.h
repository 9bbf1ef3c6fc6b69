#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

#include "platform/file_system.h"

namespace setup::testing {

// Reads through `inner` until `limit` bytes have come, then fails as a medium taken out.
class CutReadableFile : public ReadableFile {
 public:
  CutReadableFile(std::unique_ptr<ReadableFile> inner, size_t limit)
      : inner_(std::move(inner)), left_(limit) {}
  Result<size_t> Read(char* buffer, size_t n) override {
    if (left_ == 0) return Status::Error(WinError::NotReady, "D:\\", "the medium is gone");
    Result<size_t> got = inner_->Read(buffer, std::min(n, left_));
    if (got.ok()) left_ -= *got;
    return got;
  }
  uint64_t Size() const override { return inner_->Size(); }

 private:
  std::unique_ptr<ReadableFile> inner_;
  size_t left_;
};

// Writes through `inner` until `limit` bytes, then fails as a full disk.
class FullWritableFile : public WritableFile {
 public:
  FullWritableFile(std::unique_ptr<WritableFile> inner, size_t limit)
      : inner_(std::move(inner)), left_(limit) {}
  Status Write(const char* data, size_t n) override {
    if (n > left_) return Status::Error(WinError::DiskFull, "C:\\", "the disk is full");
    left_ -= n;
    return inner_->Write(data, n);
  }
  Status Commit() override { return inner_->Commit(); }

 private:
  std::unique_ptr<WritableFile> inner_;
  size_t left_;
};

}  // namespace setup::testing
