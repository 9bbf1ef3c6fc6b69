#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_file_info.h"
#include "platform/posix_file_system.h"
#include "platform/posix_temp_file.h"
#include "platform/status_posix.h"

namespace setup {

namespace {

class PosixReadableFile : public ReadableFile {
 public:
  PosixReadableFile(int fd, uint64_t size, std::string path)
      : fd_(fd), size_(size), path_(std::move(path)) {}
  ~PosixReadableFile() override { close(fd_); }
  PosixReadableFile(const PosixReadableFile&) = delete;
  PosixReadableFile& operator=(const PosixReadableFile&) = delete;

  Result<size_t> Read(char* buffer, size_t n) override {
    for (;;) {
      const ssize_t got = read(fd_, buffer, n);
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR) return PosixError(path_, errno);
    }
  }
  uint64_t Size() const override { return size_; }

 private:
  int fd_;
  uint64_t size_;
  std::string path_;
};

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(PosixTempFile temp, std::string destination, std::string path)
      : temp_(std::move(temp)), destination_(std::move(destination)), path_(std::move(path)) {}

  Status Write(const char* data, size_t n) override {
    if (done_) return Status::Error(WinError::InvalidParameter, path_, "already committed");
    Status status = temp_.WriteAll(data, n);
    return status.ok() ? status : PosixError(path_, status.os_errno());
  }

  Status Commit() override {
    if (done_) return Status::Error(WinError::InvalidParameter, path_, "already committed");
    done_ = true;
    Status status = temp_.Commit(destination_, false, true);
    return status.ok() ? status : PosixError(path_, status.os_errno());
  }

 private:
  PosixTempFile temp_;
  std::string destination_;
  std::string path_;
  bool done_ = false;
};

}  // namespace

Result<std::unique_ptr<ReadableFile>> PosixFileSystem::OpenForRead(const std::string& path) {
  int opened = -1;
  auto resolved = Resolve(path, &opened);
  if (!resolved.ok()) return resolved.status();
  if (!resolved->exists) return Missing(*resolved, path);
  const int fd = opened >= 0 ? opened : OpenToRead(resolved->host_path);
  if (fd < 0) return PosixError(path, errno);
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    close(fd);
    return PosixError(path, error);
  }
  // A pipe, a device or a socket has no contents to read, and reading one may never end.
  if (!S_ISREG(info.st_mode)) {
    close(fd);
    return Status::Error(WinError::AccessDenied, path, "is not a regular file");
  }
  return std::unique_ptr<ReadableFile>(
      new PosixReadableFile(fd, static_cast<uint64_t>(info.st_size), path));
}

Result<std::unique_ptr<WritableFile>> PosixFileSystem::CreateForWrite(const std::string& path) {
  auto resolved = ResolveNew(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->write_protected) return WriteProtected(path);
  if (!resolved->parent_exists) return Missing(*resolved, path);
  mode_t mode = 0666;
  bool keep_mode = false;
  if (resolved->exists) {
    struct stat info {};
    if (stat(resolved->host_path.c_str(), &info) == 0) {
      if (S_ISDIR(info.st_mode) || IsReadOnlyMode(info.st_mode)) {
        return Status::Error(WinError::AccessDenied, path,
                             S_ISDIR(info.st_mode) ? "is a directory" : "the file is read-only");
      }
      mode = info.st_mode & 07777;
      keep_mode = true;
    }
  }
  auto temp = PosixTempFile::CreateBeside(resolved->host_path, mode);
  if (!temp.ok()) return PosixError(path, temp.status().os_errno());
  // A replaced file keeps its permissions, whatever the umask says.
  if (keep_mode && fchmod(temp->fd(), mode) != 0) return PosixError(path, errno);
  return std::unique_ptr<WritableFile>(
      new PosixWritableFile(std::move(*temp), resolved->host_path, path));
}

}  // namespace setup
