#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix_file_system.h"
#include "platform/status_posix.h"
#include "platform/windows_path.h"

namespace setup {

namespace {

// Enough for the directories an install writes into at once; at most a few megabytes.
constexpr size_t CACHED_DIRECTORIES = 64;
constexpr size_t CACHED_NAMES = 65536;
// The directories on the way down a walk's source and destination, and some.
constexpr size_t HELD_DIRECTORIES = 16;

}  // namespace

PosixFileSystem::PosixFileSystem(DriveMap drives, CodePage code_page, std::string current_directory)
    : drives_(std::move(drives)),
      code_page_(std::move(code_page)),
      current_directory_(WithoutTrailingSeparator(
          FullWindowsPath(current_directory, "C:\\", code_page_), code_page_)),
      current_prefix_(FullFormPrefix(current_directory_, code_page_)),
      directory_cache_([this](const std::string& host_name) { return FoldName(host_name); },
                       CACHED_DIRECTORIES, CACHED_NAMES),
      held_directories_(HELD_DIRECTORIES) {}

PosixFileSystem::HostAt PosixFileSystem::AtLastName(const std::string& host_path, bool open) {
  const HostAt whole{nullptr, AT_FDCWD, host_path.c_str()};
  size_t slash = host_path.rfind('/');
  if (slash == std::string::npos) return whole;
  const std::string_view dir =
      slash == 0 ? std::string_view("/") : std::string_view(host_path).substr(0, slash);
  auto directory = open ? held_directories_.FindOrOpenOnReuse(dir) : held_directories_.Find(dir);
  if (directory) {
    const int fd = directory->fd();
    return {std::move(directory), fd, host_path.c_str() + slash + 1, true};
  }
  if (slash > 0) {
    // A folder the walk has just made, with its one file, is reached from the one above.
    slash = dir.rfind('/');
    if (slash == std::string::npos || slash == 0) return whole;
    directory = held_directories_.Find(dir.substr(0, slash));
  }
  if (!directory) return whole;
  const int fd = directory->fd();
  return {std::move(directory), fd, host_path.c_str() + slash + 1};
}

int PosixFileSystem::OpenSpeltDirectory(const std::string& host_path) {
  const HostAt at = AtLastName(host_path, false);
  return openat(at.fd, at.name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

std::string PosixFileSystem::CurrentDirectory() {
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  return current_directory_;
}

Status PosixFileSystem::ChangeDirectory(const std::string& path) {
  auto spelling = Spell(path);
  if (!spelling.ok()) return spelling.status();
  std::string exact = spelling->exact;
  std::string full_path;
  if (spelling->HasNames() && held_directories_.Find(spelling->exact)) {
    // A directory held open is one on the drives, as spelt: a walk going back up from a
    // subfolder needs no host call.
    full_path = std::move(spelling->full_path);
  } else if (const int fd = spelling->HasNames() ? OpenSpeltDirectory(spelling->exact) : -1;
             fd >= 0) {
    // A folder spelt as on the disk and no link (a walk entering a subfolder) is opened for
    // the listing that follows: the opening tells what a look at it would.
    const Resolved resolved = InParent(*spelling, spelling->LastName());
    const Status on_drives = CheckOnDrives(resolved, path, true);
    if (!on_drives.ok()) {
      close(fd);
      return on_drives;
    }
    RememberCheckedDirectory(resolved.host_path);
    opened_directory_.Keep(resolved.host_path, fd);
    full_path = resolved.full_path;
  } else {
    auto resolved = ResolveSpelt(*spelling, path);
    if (!resolved.ok()) return resolved.status();
    if (!resolved->exists) return Missing(*resolved, path);
    auto info = IsDirectory(*resolved);
    if (!info.ok()) return info.status();
    if (!*info) return Status::Error(WinError::Directory, path, "not a directory");
    full_path = std::move(resolved->full_path);
  }
  std::string directory = WithoutTrailingSeparator(std::move(full_path), code_page_);
  std::string prefix = FullFormPrefix(directory, code_page_);
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  current_directory_ = std::move(directory);
  current_prefix_ = std::move(prefix);
  current_exact_ = std::move(exact);
  return Status::Ok();
}

std::string PosixFileSystem::FullPathName(const std::string& path) {
  // Every path a file call takes comes here: the current directory is read in place, not
  // copied, and a name below it goes after the prefix checked when it became current.
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  if (!current_prefix_.empty() && !path.empty() && IsPlainRelative(path, code_page_)) {
    std::string full;
    full.reserve(current_prefix_.size() + path.size());
    full = current_prefix_;
    return full += path;
  }
  return FullWindowsPath(path, current_directory_, code_page_);
}

uint32_t PosixFileSystem::GetLogicalDrives() { return drives_.LogicalDrives(); }

DriveType PosixFileSystem::DriveTypeOf(const std::string& root) {
  const char letter = root.empty() ? CurrentDirectory()[0] : DriveRootLetter(root);
  const DriveMap::Drive* drive = letter ? drives_.Find(letter) : nullptr;
  return drive ? drive->type : DriveType::NoRootDir;
}

Result<DiskSpace> PosixFileSystem::FreeSpaceOf(const std::string& root) {
  const char letter = root.empty() ? CurrentDirectory()[0] : DriveRootLetter(root);
  const DriveMap::Drive* drive = letter ? drives_.Find(letter) : nullptr;
  if (!drive) return Status::Error(WinError::PathNotFound, root, "no such drive");
  struct statvfs info {};
  if (statvfs(drive->host_root.c_str(), &info) != 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      return Status::Error(WinError::NotReady, root, "the drive is not ready", error);
    }
    return PosixError(root, error);
  }
  DiskSpace space;
  space.free_bytes = static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
  space.total_bytes = static_cast<uint64_t>(info.f_blocks) * info.f_frsize;
  return space;
}

Result<std::string> PosixFileSystem::ToHostPath(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  return resolved->host_path;
}

}  // namespace setup
