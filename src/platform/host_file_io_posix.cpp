#include "platform/host_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/posix_temp_file.h"
#include "platform/status_posix.h"

namespace setup {

Result<std::string> ReadHostFile(const std::string& host_path, size_t max_bytes) {
  const int fd = open(host_path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return PosixError(host_path, errno);
  std::string contents;
  char buffer[65536];
  Status status;
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      status = PosixError(host_path, errno);
      break;
    }
    if (got == 0) break;
    if (contents.size() + static_cast<size_t>(got) > max_bytes) {
      status = Status::Error(WinError::InvalidParameter, host_path, "the file is too large");
      break;
    }
    contents.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  if (!status.ok()) return status;
  return contents;
}

Status WriteHostFileAtomically(const std::string& host_path, const std::string& contents) {
  const std::filesystem::path parent = std::filesystem::path(host_path).parent_path();
  if (!parent.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec) return PosixError(parent.string(), ec.value());
  }
  struct stat existing {};
  const bool replaces = stat(host_path.c_str(), &existing) == 0;
  auto temp = PosixTempFile::CreateBeside(host_path, 0666);
  if (!temp.ok()) return temp.status();
  // A replaced file keeps its permissions.
  if (replaces && fchmod(temp->fd(), existing.st_mode & 07777) != 0) {
    return PosixError(host_path, errno);
  }
  Status status = temp->WriteAll(contents.data(), contents.size());
  if (status.ok()) status = temp->Commit(host_path, false, true);
  if (!status.ok()) return status;
  const std::string dir = parent.empty() ? "." : parent.string();
  const int dir_fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir_fd >= 0) {
    fsync(dir_fd);
    close(dir_fd);
  }
  return Status::Ok();
}

}  // namespace setup
