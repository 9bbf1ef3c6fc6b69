#pragma once

#include <sys/types.h>

#include <string>

#include "platform/status.h"

namespace setup {

// A temporary file created beside a destination, to be renamed over it once complete. The
// file is removed on destruction unless Release() was called after a successful rename.
class PosixTempFile {
 public:
  // Creates ".setup-*" in the directory of `destination` (a host path) with `mode`, to which
  // the process's umask applies.
  static Result<PosixTempFile> CreateBeside(const std::string& destination, mode_t mode);

  PosixTempFile(PosixTempFile&& other) noexcept;
  PosixTempFile& operator=(PosixTempFile&& other) = delete;
  PosixTempFile(const PosixTempFile&) = delete;
  ~PosixTempFile();

  int fd() const { return fd_; }
  const std::string& path() const { return path_; }
  // Writes all of `data`, retrying short writes.
  Status WriteAll(const char* data, size_t n);
  // fsync (when `sync`), then close; reports a write error that close reveals.
  Status Close(bool sync);
  // Renames the closed file over `destination`; with `no_replace` an existing destination
  // fails with AlreadyExists. On success the temporary name is gone.
  Status RenameOver(const std::string& destination, bool no_replace);

 private:
  PosixTempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  int fd_ = -1;
  std::string path_;
  bool renamed_ = false;
};

}  // namespace setup
