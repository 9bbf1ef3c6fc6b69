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

bool PosixFileSystem::StatDirectory(const std::string& host_path, struct stat& info) {
  return stat(host_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status PosixFileSystem::Missing(const Resolved& resolved, const std::string& path) {
  if (resolved.parent_exists) return Status::Error(WinError::FileNotFound, path, "not found");
  return Status::Error(WinError::PathNotFound, path, "the path does not exist");
}

std::optional<std::string> PosixFileSystem::FoldName(const std::string& host_name) const {
  const std::string converted = code_page_.FromUtf8(host_name);
  if (code_page_.ToUtf8(converted) != host_name) return std::nullopt;
  return code_page_.Upper(converted);
}

std::string PosixFileSystem::WantedKey(const std::string& name) const {
  return code_page_.Upper(code_page_.FromUtf8(name));
}

std::optional<std::string> PosixFileSystem::MatchName(const std::string& host_dir,
                                                      const struct stat& dir_info,
                                                      const std::string& name) {
  struct stat info {};
  const std::string exact = (host_dir == "/" ? "" : host_dir) + "/" + name;
  if (lstat(exact.c_str(), &info) == 0) return name;
  if (errno != ENOENT) return std::nullopt;
  return directory_cache_.Find(host_dir, dir_info, WantedKey(name));
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
  std::vector<std::string> names;
  names.reserve(parts.size());
  for (const auto& part : parts) {
    if (HasInvalidNameCharacter(part)) {
      return Status::Error(WinError::InvalidName, path, "invalid file name");
    }
    names.push_back(code_page_.ToUtf8(part));
  }
  if (!names.empty()) {
    // Most paths are spelt as on the disk: the host resolves them in one call, and the
    // component-by-component match below is needed only when that fails.
    std::string exact = drive->host_root;
    for (const auto& name : names) exact += (exact == "/" ? "" : "/") + name;
    struct stat info {};
    const int error = lstat(exact.c_str(), &info) == 0 ? 0 : errno;
    if (error == 0) {
      resolved.host_path = std::move(exact);
      resolved.written_name = names.back();
      resolved.exists = true;
      resolved.parent_exists = true;
      return resolved;
    }
    // A new name in a directory that is spelt as on the disk: only the last name needs
    // matching, against the other names in that directory.
    const size_t slash = exact.rfind('/');
    const std::string parent = slash == 0 ? "/" : exact.substr(0, slash);
    if (error == ENOENT && StatDirectory(parent, info)) {
      const std::optional<std::string> match =
          directory_cache_.Find(parent, info, WantedKey(names.back()));
      resolved.host_path = (parent == "/" ? "" : parent) + "/" + (match ? *match : names.back());
      resolved.written_name = names.back();
      resolved.exists = match.has_value();
      resolved.parent_exists = true;
      return resolved;
    }
  }
  resolved.host_path = drive->host_root;
  struct stat dir_info {};
  if (!StatDirectory(drive->host_root, dir_info)) {
    // A drive whose directory is gone is a drive without its medium.
    return Status::Error(WinError::NotReady, path, "the drive is not ready");
  }
  resolved.exists = true;
  resolved.parent_exists = true;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    const bool last = i + 1 == names.size();
    if (last) resolved.written_name = name;
    std::optional<std::string> match;
    if (resolved.exists) {
      match = MatchName(resolved.host_path, dir_info, name);
      resolved.parent_exists = last;
    } else {
      resolved.parent_exists = false;
    }
    resolved.host_path += (resolved.host_path == "/" ? "" : "/") + (match ? *match : name);
    if (!match) {
      resolved.exists = false;
    } else if (!last) {
      resolved.exists = StatDirectory(resolved.host_path, dir_info);
    }
  }
  return resolved;
}

}  // namespace setup
