#pragma once

#include <sys/types.h>

#include <string>

#include "platform/status.h"

namespace setup {

// A file being written that is removed on destruction unless committed, so that a failed
// write never leaves a half-written file under the destination's name.
// CreateBeside writes beside the destination and gives the file its name only once
// complete. Where the file system allows it the file has no name at all until then
// (O_TMPFILE), so not even a process that dies leaves anything behind; elsewhere it is
// ".setup-*".
class PosixTempFile {
 public:
  // Creates the file in the directory of `destination` (a host path) with `mode`, to which
  // the process's umask applies. With `at_fd` (not -1), an open directory that must stay open
  // while the file does, `destination` from its byte `relative_from` on is the path relative
  // to it, which spares walking down the rest again.
  static Result<PosixTempFile> CreateBeside(const std::string& destination, mode_t mode,
                                            int at_fd = -1, size_t relative_from = 0);

  PosixTempFile(PosixTempFile&& other) noexcept;
  PosixTempFile& operator=(PosixTempFile&& other) = delete;
  PosixTempFile(const PosixTempFile&) = delete;
  ~PosixTempFile();

  int fd() const { return fd_; }
  // Writes all of `data`, retrying short writes.
  Status WriteAll(const char* data, size_t n);
  // Names the complete file `destination` and closes it: fsync first when `sync`; with
  // `no_replace` an existing destination fails with AlreadyExists, else it is replaced in
  // one step. Reports a write error that
  // close reveals. Call at most once.
  Status Commit(const std::string& destination, bool no_replace, bool sync);

 private:
  PosixTempFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

  // The unnamed file linked as `destination`; EEXIST when that name exists.
  int LinkAs(const std::string& destination) const;
  // The unnamed file given the name `destination` (see Commit); 0 or the host's error.
  int NameUnnamed(const std::string& destination, bool no_replace);
  // The closed named file renamed over `destination`.
  Status RenameOver(const std::string& destination, bool no_replace);

  int fd_ = -1;
  std::string path_;  // "" while the file has no name
  // The file's directory, for messages; "" when reached from `at_fd_` (spelt out only where a
  // name beside the file is needed).
  std::string directory_;
  // A directory open above the file, or -1, and where the names beside the file start to be
  // relative to it.
  int at_fd_ = -1;
  size_t relative_from_ = 0;
  bool committed_ = false;
};

}  // namespace setup
