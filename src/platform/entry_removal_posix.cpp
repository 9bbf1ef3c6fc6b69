#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_file_info.h"
#include "platform/posix_file_system.h"
#include "platform/status_posix.h"

namespace setup {

namespace {

Status StoppedOnLink(const std::string& path) {
  return Status::Error(WinError::StoppedOnSymlink, path, "a symbolic link is on the way");
}

}  // namespace

Result<PosixFileSystem::LinkFreeParent> PosixFileSystem::OpenParentWithoutLinks(
    const std::string& path) {
  // The names as the disk spells them; the walk below then checks each one for a link.
  auto spelling = Spell(path);
  if (!spelling.ok()) return spelling.status();
  auto resolved = Look(*spelling, path, nullptr);
  if (!resolved.ok()) return resolved.status();
  const DriveMap::Drive* drive = drives_.Find(resolved->full_path[0]);
  if (drive == nullptr) return Status::Error(WinError::PathNotFound, path, "no such drive");
  const std::string root = drive->host_root == "/" ? "" : drive->host_root;
  const std::string& host_path = resolved->host_path;
  if (host_path.compare(0, root.size(), root) != 0) {
    return Status::Error(WinError::PathNotFound, path, "the path leaves its drive");
  }
  std::vector<std::string> names;
  for (size_t pos = root.size(); pos < host_path.size();) {
    const size_t slash = host_path.find('/', pos + 1);
    const size_t end = slash == std::string::npos ? host_path.size() : slash;
    if (end > pos + 1) names.push_back(host_path.substr(pos + 1, end - pos - 1));
    pos = end;
  }
  int fd = open(drive->host_root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::Error(WinError::NotReady, path, "the drive is not ready", errno);
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    struct stat info {};
    const int found = fstatat(fd, names[i].c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    if (found != 0 || S_ISLNK(info.st_mode) || !S_ISDIR(info.st_mode)) {
      close(fd);
      if (found == 0 && S_ISLNK(info.st_mode)) return StoppedOnLink(path);
      if (found == 0 || found == ENOENT || found == ENOTDIR) {
        return Status::Error(WinError::PathNotFound, path, "the path does not exist", found);
      }
      return PosixError(path, found);
    }
    // O_NOFOLLOW: a link put there since the look above fails rather than being entered.
    const int next = openat(fd, names[i].c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int error = errno;
    close(fd);
    if (next < 0) return error == ENOTDIR ? StoppedOnLink(path) : PosixError(path, error);
    fd = next;
  }
  LinkFreeParent parent;
  parent.fd = fd;
  parent.name = names.empty() ? std::string() : names.back();
  parent.host_path = host_path;
  parent.write_protected = resolved->write_protected;
  return parent;
}

Result<FindData> PosixFileSystem::GetEntryInfo(const std::string& path) {
  auto parent = OpenParentWithoutLinks(path);
  if (!parent.ok()) return parent.status();
  const int fd = parent->fd;
  if (parent->name.empty()) {
    close(fd);
    return GetFileInfo(path);
  }
  auto data =
      StatFindDataAt(fd, parent->name, parent->host_path, code_page_.FromUtf8(parent->name), false);
  close(fd);
  if (!data.ok()) {
    const int error = data.status().os_errno();
    if (error == ENOENT) return Status::Error(WinError::FileNotFound, path, "not found", error);
    return PosixError(path, error);
  }
  return data;
}

Status PosixFileSystem::RemoveEntry(const std::string& path) {
  auto parent = OpenParentWithoutLinks(path);
  if (!parent.ok()) return parent.status();
  const int fd = parent->fd;
  Status status;
  struct stat info {};
  if (parent->write_protected) {
    status = WriteProtected(path);
  } else if (parent->name.empty()) {
    status = Status::Error(WinError::AccessDenied, path, "a drive's root is never removed");
  } else if (fstatat(fd, parent->name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    status = errno == ENOENT ? Status::Error(WinError::FileNotFound, path, "not found", errno)
                             : PosixError(path, errno);
  } else {
    // unlinkat never follows the last name: a link is removed, not what it points at.
    const bool directory = S_ISDIR(info.st_mode);
    if (unlinkat(fd, parent->name.c_str(), directory ? AT_REMOVEDIR : 0) != 0) {
      const int error = errno;
      status = error == ENOTEMPTY || error == EEXIST
                   ? Status::Error(WinError::DirNotEmpty, path, "the directory is not empty", error)
                   : PosixError(path, error);
    } else if (directory) {
      // A link may now be made where the directory was.
      ForgetKnownDirectories();
    }
  }
  close(fd);
  return status;
}

}  // namespace setup
