#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix_file_info.h"
#include "platform/posix_file_system.h"
#include "platform/status_posix.h"

namespace setup {

Result<uint32_t> PosixFileSystem::GetAttributes(const std::string& path) {
  auto info = GetFileInfo(path);
  if (!info.ok()) return info.status();
  return info->attributes;
}

Result<FindData> PosixFileSystem::GetFileInfo(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (!resolved->exists) return Missing(*resolved, path);
  const size_t slash = resolved->host_path.rfind('/');
  const std::string name = resolved->written_name.empty()
                               ? std::string()
                               : code_page_.FromUtf8(resolved->host_path.substr(slash + 1));
  auto data = StatFindData(resolved->host_path, name);
  if (!data.ok()) return PosixError(path, data.status().os_errno());
  return data;
}

Status PosixFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->write_protected) return WriteProtected(path);
  if (!resolved->exists) return Missing(*resolved, path);
  struct stat info {};
  if (resolved->entry && !S_ISLNK(resolved->entry->st_mode)) {
    info = *resolved->entry;
  } else if (stat(resolved->host_path.c_str(), &info) != 0) {
    return PosixError(path, errno);
  }
  // A directory's read-only flag never kept anyone from writing into it on the original
  // system, so it does not take away the directory's write permission here either.
  if (!S_ISDIR(info.st_mode)) {
    mode_t mode = info.st_mode & 07777;
    if (attributes & ATTRIB_READONLY) {
      mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    } else if (IsReadOnlyMode(mode)) {
      mode |= S_IWUSR;
    }
    if (mode != (info.st_mode & 07777) && chmod(resolved->host_path.c_str(), mode) != 0) {
      return PosixError(path, errno);
    }
  }
  Status status = WriteDosAttributes(resolved->host_path, attributes);
  if (!status.ok()) return PosixError(path, status.os_errno());
  return Status::Ok();
}

Status PosixFileSystem::SetFileTimes(const std::string& path, FileTime creation,
                                     FileTime last_access, FileTime last_write) {
  // The host keeps no settable creation time; it is left as the host has it.
  (void)creation;
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->write_protected) return WriteProtected(path);
  if (!resolved->exists) return Missing(*resolved, path);
  struct timespec times[2] = {};
  times[0] = last_access ? ToTimespec(last_access) : timespec{0, UTIME_OMIT};
  times[1] = last_write ? ToTimespec(last_write) : timespec{0, UTIME_OMIT};
  if (utimensat(AT_FDCWD, resolved->host_path.c_str(), times, 0) != 0) {
    return PosixError(path, errno);
  }
  return Status::Ok();
}

}  // namespace setup
