#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/posix_file_system.h"
#include "platform/windows_path.h"

namespace setup {

Result<bool> PosixFileSystem::StatDirectoryFlag(const std::string& host_path) {
  struct stat info {};
  if (stat(host_path.c_str(), &info) != 0) return PosixError(host_path, errno);
  return S_ISDIR(info.st_mode);
}

Status PosixFileSystem::Missing(const Resolved& resolved, const std::string& path) {
  if (resolved.parent_exists) return Status::Error(WinError::FileNotFound, path, "not found");
  return Status::Error(WinError::PathNotFound, path, "the path does not exist");
}

std::optional<std::string> PosixFileSystem::MatchName(const std::string& host_dir,
                                                      const std::string& name) {
  struct stat info {};
  const std::string exact = (host_dir == "/" ? "" : host_dir) + "/" + name;
  if (lstat(exact.c_str(), &info) == 0) return name;
  if (errno != ENOENT) return std::nullopt;
  DIR* dir = opendir(host_dir.c_str());
  if (dir == nullptr) return std::nullopt;
  const std::string wanted = code_page_.FromUtf8(name);
  std::optional<std::string> best;
  while (const dirent* entry = readdir(dir)) {
    const std::string candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    const std::string converted = code_page_.FromUtf8(candidate);
    // A host name the code page cannot hold cannot be named, so it never matches.
    if (!code_page_.EqualsNoCase(converted, wanted) || code_page_.ToUtf8(converted) != candidate) {
      continue;
    }
    if (!best || candidate < *best) best = candidate;
  }
  closedir(dir);
  return best;
}

Result<PosixFileSystem::Resolved> PosixFileSystem::Resolve(const std::string& path) {
  Resolved resolved;
  resolved.full_path = GetFullPathName(path);
  if (resolved.full_path.size() < 3 || resolved.full_path[1] != ':') {
    return Status::Error(WinError::PathNotFound, path, "network paths are not available");
  }
  const DriveMap::Drive* drive = drives_.Find(resolved.full_path[0]);
  if (drive == nullptr) return Status::Error(WinError::PathNotFound, path, "no such drive");
  const std::vector<std::string> parts = PathComponents(resolved.full_path);
  for (const auto& part : parts) {
    if (HasInvalidNameCharacter(part)) {
      return Status::Error(WinError::InvalidName, path, "invalid file name");
    }
  }
  resolved.host_path = drive->host_root;
  auto directory = StatDirectoryFlag(drive->host_root);
  if (!directory.ok() || !*directory) {
    // A drive whose directory is gone is a drive without its medium.
    return Status::Error(WinError::NotReady, path, "the drive is not ready");
  }
  resolved.exists = true;
  resolved.parent_exists = true;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string name = code_page_.ToUtf8(parts[i]);
    const bool last = i + 1 == parts.size();
    if (last) resolved.written_name = name;
    std::optional<std::string> match;
    if (resolved.exists) {
      match = MatchName(resolved.host_path, name);
      resolved.parent_exists = last;
    } else {
      resolved.parent_exists = false;
    }
    resolved.host_path += (resolved.host_path == "/" ? "" : "/") + (match ? *match : name);
    if (!match) {
      resolved.exists = false;
    } else if (!last) {
      directory = StatDirectoryFlag(resolved.host_path);
      resolved.exists = directory.ok() && *directory;
    }
  }
  return resolved;
}

}  // namespace setup
