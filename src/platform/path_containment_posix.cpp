#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/posix_file_system.h"

namespace setup {

namespace {

// Lets a drive's files be found through links without holding the whole tree.
constexpr size_t REMEMBERED_DIRECTORIES = 65536;
// The paths of the directories a walk works in at once, and some.
constexpr size_t REMEMBERED_PATHS = 1024;

std::optional<std::string> RealPath(const std::string& host_path) {
  std::unique_ptr<char, decltype(&free)> real(realpath(host_path.c_str(), nullptr), &free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

bool IsUnder(const std::string& path, const std::string& root) {
  if (root == "/") return true;
  return path.compare(0, root.size(), root) == 0 &&
         (path.size() == root.size() || path[root.size()] == '/');
}

}  // namespace

void PosixFileSystem::RememberCheckedDirectory(const std::string& host_dir) {
  std::lock_guard<std::mutex> lock(containment_mutex_);
  RememberCheckedLocked(host_dir);
}

void PosixFileSystem::RememberCheckedLocked(const std::string& host_dir) {
  // Emptied, its buckets kept, when full.
  if (checked_directories_.size() >= REMEMBERED_PATHS) checked_directories_.clear();
  if (checked_directories_.bucket_count() < REMEMBERED_PATHS) {
    checked_directories_.reserve(REMEMBERED_PATHS);
  }
  checked_directories_.insert(host_dir);
}

void PosixFileSystem::ForgetKnownDirectories() {
  held_directories_.ForgetAll();
  opened_directory_.Forget();
  std::lock_guard<std::mutex> lock(containment_mutex_);
  checked_directories_.clear();
}

Status PosixFileSystem::WriteProtected(const std::string& path) {
  return Status::Error(WinError::WriteProtect, path, "the medium is write-protected", EROFS);
}

Status PosixFileSystem::CheckOnDrives(const Resolved& resolved, const std::string& path,
                                      bool last_is_no_link) {
  // A drive's root is where the profile put it, link or not.
  if (resolved.written_name.empty()) return Status::Ok();
  // The walk's own folders are held open once they pass: a name in one that is known to be
  // no link needs nothing more.
  if (resolved.in_held_directory && (!resolved.exists || last_is_no_link)) return Status::Ok();
  const size_t slash = resolved.host_path.rfind('/');
  const std::string_view known_dir =
      slash == 0 ? std::string_view("/") : std::string_view(resolved.host_path).substr(0, slash);
  // Made only when it is the answer: most paths pass.
  auto off_drives = [&] {
    return Status::Error(WinError::PathNotFound, path, "a link leads off the drives", ENOENT);
  };
  bool known = false;
  {
    std::lock_guard<std::mutex> lock(containment_mutex_);
    known = checked_directories_.find(known_dir) != checked_directories_.end();
  }
  if (!known) {
    const std::string dir(known_dir);
    struct stat info {};
    // A directory that is missing fails the operation by itself.
    if (!StatDirectory(dir, info)) return Status::Ok();
    if (!DirectoryOnDrives(dir, info)) return off_drives();
    std::lock_guard<std::mutex> lock(containment_mutex_);
    RememberCheckedLocked(dir);
  }
  if (!resolved.exists || last_is_no_link) return Status::Ok();
  struct stat own {};
  if (!EntryStatus(resolved, own)) return Status::Ok();
  if (S_ISDIR(own.st_mode)) {
    // A directory (not a link) in a directory on the drives: the walk goes on in there.
    RememberCheckedDirectory(resolved.host_path);
    return Status::Ok();
  }
  if (!S_ISLNK(own.st_mode)) return Status::Ok();
  // A link that leads nowhere could still be written through, to wherever it names.
  const std::optional<std::string> real = RealPath(resolved.host_path);
  if (!real) return off_drives();
  std::lock_guard<std::mutex> lock(containment_mutex_);
  return RealPathOnDrives(*real) ? Status::Ok() : off_drives();
}

bool PosixFileSystem::DirectoryOnDrives(const std::string& dir, const struct stat& info) {
  const std::pair<dev_t, ino_t> id{info.st_dev, info.st_ino};
  {
    std::lock_guard<std::mutex> lock(containment_mutex_);
    if (directories_on_drives_.count(id) != 0) return true;
  }
  // A directory that is no link lies where its parent does, which is most likely known:
  // two host calls instead of resolving the whole path.
  bool on_drives = false;
  struct stat own {};
  const size_t slash = dir.rfind('/');
  if (slash != std::string::npos && slash > 0 && lstat(dir.c_str(), &own) == 0 &&
      S_ISDIR(own.st_mode)) {
    const std::string parent = dir.substr(0, slash);
    struct stat parent_info {};
    on_drives = StatDirectory(parent, parent_info) && DirectoryOnDrives(parent, parent_info);
  }
  std::lock_guard<std::mutex> lock(containment_mutex_);
  if (!on_drives) {
    // A link, a drive's root or a parent off the drives: the whole path decides.
    const std::optional<std::string> real = RealPath(dir);
    if (!real || !RealPathOnDrives(*real)) return false;
  }
  if (directories_on_drives_.size() >= REMEMBERED_DIRECTORIES) directories_on_drives_.clear();
  directories_on_drives_.insert(id);
  return true;
}

bool PosixFileSystem::RealPathOnDrives(const std::string& real_path) {
  auto on_drives = [&] {
    return std::any_of(real_roots_->begin(), real_roots_->end(),
                       [&](const std::string& root) { return IsUnder(real_path, root); });
  };
  if (real_roots_ && on_drives()) return true;
  // The roots are taken again when they do not answer: a drive's medium may have come since.
  real_roots_.emplace();
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const DriveMap::Drive* drive = drives_.Find(letter);
    if (drive == nullptr) continue;
    if (auto root = RealPath(drive->host_root)) real_roots_->push_back(std::move(*root));
  }
  return on_drives();
}

}  // namespace setup
