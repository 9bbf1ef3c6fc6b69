#include "platform/posix_temp_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>

namespace setup {

namespace {

std::string DirectoryOf(const std::string& host_path) {
  const size_t slash = host_path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : host_path.substr(0, slash);
}

std::string UniqueName() {
  static std::atomic<uint64_t> counter{0};
  static const uint64_t seed = std::random_device{}();
  char name[64];
  snprintf(name, sizeof(name), ".setup-%x-%llx-%llx", static_cast<unsigned>(getpid()),
           static_cast<unsigned long long>(seed & 0xFFFFFF),
           static_cast<unsigned long long>(counter.fetch_add(1)));
  return name;
}

}  // namespace

Result<PosixTempFile> PosixTempFile::CreateBeside(const std::string& destination, mode_t mode) {
  const std::string dir = DirectoryOf(destination);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = (dir == "/" ? "" : dir) + "/" + UniqueName();
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) return PosixTempFile(fd, std::move(path));
    if (errno != EEXIST) return PosixError(destination, errno);
  }
  return PosixError(destination, EEXIST);
}

PosixTempFile::PosixTempFile(PosixTempFile&& other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)), renamed_(other.renamed_) {
  other.fd_ = -1;
  other.renamed_ = true;
}

PosixTempFile::~PosixTempFile() {
  if (fd_ >= 0) close(fd_);
  if (!renamed_ && !path_.empty()) unlink(path_.c_str());
}

Status PosixTempFile::WriteAll(const char* data, size_t n) {
  while (n > 0) {
    const ssize_t written = write(fd_, data, n);
    if (written < 0) {
      if (errno == EINTR) continue;
      return PosixError(path_, errno);
    }
    data += written;
    n -= static_cast<size_t>(written);
  }
  return Status::Ok();
}

Status PosixTempFile::Close(bool sync) {
  int error = 0;
  if (sync && fsync(fd_) != 0) error = errno;
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  return error == 0 ? Status::Ok() : PosixError(path_, error);
}

Status PosixTempFile::RenameOver(const std::string& destination, bool no_replace) {
  int result = 0;
  if (no_replace) {
    result = renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
      // The file system cannot refuse atomically: a hard link refuses an existing name.
      result = link(path_.c_str(), destination.c_str());
      if (result == 0) unlink(path_.c_str());
    }
  } else {
    result = rename(path_.c_str(), destination.c_str());
  }
  if (result != 0) return PosixError(destination, errno);
  renamed_ = true;
  return Status::Ok();
}

}  // namespace setup
