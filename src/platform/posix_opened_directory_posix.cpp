#include "platform/posix_opened_directory.h"

#include <unistd.h>

#include <utility>

namespace setup {

PosixOpenedDirectory::~PosixOpenedDirectory() { Forget(); }

void PosixOpenedDirectory::Keep(std::string host_dir, int fd) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fd_ >= 0) close(fd_);
  host_dir_ = std::move(host_dir);
  fd_ = fd;
}

int PosixOpenedDirectory::Take(std::string_view host_dir) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int fd = fd_;
  fd_ = -1;
  if (fd < 0 || host_dir_ == host_dir) return fd;
  close(fd);
  return -1;
}

void PosixOpenedDirectory::Forget() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace setup
