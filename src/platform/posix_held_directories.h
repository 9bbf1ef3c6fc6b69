#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

// Open descriptors of the few host directories a walk works in, by host path, so that a name
// in one of them is looked up, opened, made or linked from there instead of down the whole
// path again. A held descriptor stays with the directory it was opened on: the owner forgets
// them all whenever it renames or removes anything that could be one of them (or lie on the
// way to one). Safe to use from several threads.
class PosixHeldDirectories {
 public:
  // An open directory; closed when the last handle to it goes.
  class Directory {
   public:
    explicit Directory(int fd) : fd_(fd) {}
    ~Directory();
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;
    int fd() const { return fd_; }

   private:
    int fd_;
  };
  using Handle = std::shared_ptr<const Directory>;

  explicit PosixHeldDirectories(size_t capacity) : capacity_(capacity) {}

  // The held directory `host_dir` (a host path without a trailing '/'); null when not held.
  Handle Find(std::string_view host_dir);
  // The held directory `host_dir`. One not held is opened now when it is asked for a second
  // time in a row (opening one used once costs more than it spares): from its held parent
  // when there is one, else down its whole path. Null when not held nor opened.
  Handle FindOrOpenOnReuse(std::string_view host_dir);
  // Holds `fd`, a descriptor open on host directory `host_dir`, and takes it over.
  void Hold(const std::string& host_dir, int fd);
  // Closes every held directory (once no call uses it any more).
  void ForgetAll();

 private:
  struct Held {
    std::string host_dir;
    size_t hash = 0;  // of host_dir, compared first: the paths share long beginnings
    Handle directory;
    uint64_t last_used = 0;
  };
  // Called with mutex_ held.
  Handle FindLocked(std::string_view host_dir);
  void HoldLocked(std::string_view host_dir, Handle directory);

  const size_t capacity_;
  std::mutex mutex_;
  uint64_t clock_ = 0;
  std::vector<Held> held_;
  // The indexes in held_ of the last two directories found by hashing.
  std::array<size_t, 2> recent_{SIZE_MAX, SIZE_MAX};
  size_t next_recent_ = 0;
  // The last directories FindOrOpenOnReuse did not find (a walk's destination folder and
  // the folder it makes folders in).
  std::array<std::string, 2> missed_;
  size_t next_missed_ = 0;
};

}  // namespace setup
