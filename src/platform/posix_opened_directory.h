#pragma once

#include <mutex>
#include <string>
#include <string_view>

namespace setup {

// One directory opened for reading ahead of its listing: a walk entering a folder opens it
// (which tells that it is a directory, and no link, as a look at it would) and the listing
// that follows reads it through the same descriptor instead of opening it again. Safe to use
// from several threads.
class PosixOpenedDirectory {
 public:
  PosixOpenedDirectory() = default;
  ~PosixOpenedDirectory();
  PosixOpenedDirectory(const PosixOpenedDirectory&) = delete;
  PosixOpenedDirectory& operator=(const PosixOpenedDirectory&) = delete;

  // Keeps `fd`, open for reading on host directory `host_dir`, and takes it over; whatever
  // was kept before is closed.
  void Keep(std::string host_dir, int fd);
  // The kept descriptor when it is open on `host_dir`, handed over to the caller; else -1.
  // Nothing is kept afterwards: a descriptor is only for the listing right after it.
  int Take(std::string_view host_dir);
  // Closes what is kept.
  void Forget();

 private:
  std::mutex mutex_;
  std::string host_dir_;
  int fd_ = -1;
};

}  // namespace setup
