#include "platform/posix_temp_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>

#include "platform/status_posix.h"

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
  static const unsigned pid = static_cast<unsigned>(getpid());
  char name[64];
  snprintf(name, sizeof(name), ".setup-%x-%llx-%llx", pid,
           static_cast<unsigned long long>(seed & 0xFFFFFF),
           static_cast<unsigned long long>(counter.fetch_add(1)));
  return name;
}

std::string InDirectory(const std::string& dir, const std::string& name) {
  return (dir == "/" ? "" : dir) + "/" + name;
}

// An unnamed file can be given a name only through /proc/self/fd without privileges.
bool CanLinkUnnamedFiles() {
  static const bool can = access("/proc/self/fd", X_OK) == 0;
  return can;
}

}  // namespace

Result<PosixTempFile> PosixTempFile::CreateBeside(const std::string& destination, mode_t mode,
                                                  int at_fd, size_t relative_from) {
  std::string dir;
  if (CanLinkUnnamedFiles()) {
    constexpr int FLAGS = O_TMPFILE | O_WRONLY | O_CLOEXEC;
    int fd = -1;
    if (at_fd >= 0) {
      const size_t slash = destination.rfind('/');
      const std::string relative_dir =
          slash == std::string::npos || slash < relative_from
              ? std::string(".")
              : destination.substr(relative_from, slash - relative_from);
      fd = openat(at_fd, relative_dir.c_str(), FLAGS, mode);
    } else {
      dir = DirectoryOf(destination);
      fd = open(dir.c_str(), FLAGS, mode);
    }
    if (fd >= 0) {
      PosixTempFile file(fd, std::string());
      file.directory_ = std::move(dir);
      file.at_fd_ = at_fd;
      file.relative_from_ = relative_from;
      return file;
    }
    // Without support in the file system, a named temporary does the same.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      return PosixError(destination, errno);
    }
  }
  if (dir.empty()) dir = DirectoryOf(destination);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = InDirectory(dir, UniqueName());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      PosixTempFile file(fd, std::move(path));
      file.directory_ = std::move(dir);
      return file;
    }
    if (errno != EEXIST) return PosixError(destination, errno);
  }
  return PosixError(destination, EEXIST);
}

PosixTempFile::PosixTempFile(PosixTempFile&& other) noexcept
    : fd_(other.fd_),
      path_(std::move(other.path_)),
      directory_(std::move(other.directory_)),
      at_fd_(other.at_fd_),
      relative_from_(other.relative_from_),
      committed_(other.committed_) {
  other.fd_ = -1;
  other.path_.clear();
  other.committed_ = true;
}

PosixTempFile::~PosixTempFile() {
  if (fd_ >= 0) close(fd_);
  if (!committed_ && !path_.empty()) unlink(path_.c_str());
}

Status PosixTempFile::WriteAll(const char* data, size_t n) {
  while (n > 0) {
    const ssize_t written = write(fd_, data, n);
    if (written < 0) {
      if (errno == EINTR) continue;
      return PosixError(path_.empty() ? directory_ : path_, errno);
    }
    data += written;
    n -= static_cast<size_t>(written);
  }
  return Status::Ok();
}

int PosixTempFile::LinkAs(const std::string& destination) const {
  // Every name given lies in directory_, so its path relative to the open directory starts
  // where the destination's does.
  const int at = at_fd_ >= 0 ? at_fd_ : AT_FDCWD;
  const char* name = at_fd_ >= 0 ? destination.c_str() + relative_from_ : destination.c_str();
  // Linking the descriptor itself needs a privilege most processes lack: once refused, the
  // path through /proc is taken straight away.
  static std::atomic<bool> empty_path_refused{false};
  if (!empty_path_refused) {
    if (linkat(fd_, "", at, name, AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
    empty_path_refused = true;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd_);
  return linkat(AT_FDCWD, self.c_str(), at, name, AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

int PosixTempFile::NameUnnamed(const std::string& destination, bool no_replace) {
  // A new name is linked to the file directly; an existing one is replaced by a rename from
  // a fresh name, since a link never replaces.
  int error = LinkAs(destination);
  if (error == EEXIST && !no_replace) {
    const std::string dir = DirectoryOf(destination);
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
      std::string path = InDirectory(dir, UniqueName());
      error = LinkAs(path);
      if (error == 0) path_ = std::move(path);
    }
    if (error == 0 && rename(path_.c_str(), destination.c_str()) != 0) error = errno;
  }
  if (error == 0) committed_ = true;
  return error;
}

Status PosixTempFile::Commit(const std::string& destination, bool no_replace, bool sync) {
  int error = sync && fsync(fd_) != 0 ? errno : 0;
  if (error == 0 && path_.empty()) error = NameUnnamed(destination, no_replace);
  if (close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error != 0) return PosixError(destination, error);
  if (committed_) return Status::Ok();
  return RenameOver(destination, no_replace);
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
  committed_ = true;
  return Status::Ok();
}

}  // namespace setup
