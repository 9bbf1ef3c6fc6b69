#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/posix_file_info.h"
#include "platform/posix_file_system.h"
#include "platform/status_posix.h"
#include "platform/windows_name_rules.h"
#include "platform/windows_path.h"

namespace setup {

Result<bool> PosixFileSystem::IsDirectory(const Resolved& resolved) {
  if (resolved.entry && !S_ISLNK(resolved.entry->st_mode)) return S_ISDIR(resolved.entry->st_mode);
  struct stat info {};
  if (stat(resolved.host_path.c_str(), &info) != 0) return PosixError(resolved.host_path, errno);
  return S_ISDIR(info.st_mode);
}

bool PosixFileSystem::StatDirectory(const std::string& host_path, struct stat& info) {
  return stat(host_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::EntryStatus(const Resolved& resolved, struct stat& info) {
  if (resolved.entry) {
    info = *resolved.entry;
    return true;
  }
  return lstat(resolved.host_path.c_str(), &info) == 0;
}

Status PosixFileSystem::Missing(const Resolved& resolved, const std::string& path) {
  if (resolved.parent_exists) return Status::Error(WinError::FileNotFound, path, "not found");
  return Status::Error(WinError::PathNotFound, path, "the path does not exist");
}

std::optional<std::string> PosixFileSystem::FoldName(const std::string& host_name) const {
  std::string converted = code_page_.FromUtf8(host_name);
  if (converted != host_name && code_page_.ToUtf8(converted) != host_name) return std::nullopt;
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

Result<PosixFileSystem::Spelling> PosixFileSystem::Spell(const std::string& path) {
  Spelling spelling;
  size_t last_slash = std::string::npos;
  bool renamed = false;
  // A path that goes on by plain names from a folder spelt just now (which is in full form)
  // is in full form itself: only its last names are looked at.
  size_t resumed =
      path.size() > 3 && path[1] == ':' ? ResumeSpelling(path, spelling, last_slash, renamed) : 0;
  if (resumed != 0 && IsPlainRelative(std::string_view(path).substr(resumed), code_page_)) {
    spelling.full_path = path;
  } else {
    spelling.full_path = FullPathName(path);
    last_slash = std::string::npos;
    renamed = false;
    resumed = ResumeSpelling(spelling.full_path, spelling, last_slash, renamed);
  }
  if (spelling.full_path.size() < 3 || spelling.full_path[1] != ':') {
    return Status::Error(WinError::PathNotFound, path, "network paths are not available");
  }
  spelling.drive = drives_.Find(spelling.full_path[0]);
  if (spelling.drive == nullptr) {
    return Status::Error(WinError::PathNotFound, path, "no such drive");
  }
  // The full path has no "." nor ".." and no empty component; both separators are taken as
  // PathComponents does, a character at a time.
  const std::string_view rest = std::string_view(spelling.full_path).substr(2);
  const std::string& root = spelling.drive->host_root;
  if (resumed == 0) {
    spelling.exact.reserve(root.size() + rest.size() + 8);
    spelling.exact = root;
  }
  size_t pos = resumed == 0 ? 0 : resumed - 2;
  // How far the spelling had come at the start of the last name.
  size_t last_start = std::string::npos;
  size_t exact_before_last = 0;
  size_t last_slash_before_last = std::string::npos;
  bool renamed_before_last = false;
  // Each name is stored as the original file system stores it, and refused where it refuses
  // it. ASCII names, which most are, are copied as they are.
  while (pos < rest.size()) {
    size_t end = pos;
    bool ascii = true;
    while (end < rest.size() && rest[end] != '\\' && rest[end] != '/') {
      ascii = ascii && static_cast<uint8_t>(rest[end]) < 0x80;
      end += code_page_.CharSize(rest, end);
    }
    const std::string_view written = rest.substr(pos, end - pos);
    const size_t start = pos;
    pos = end + 1;
    if (written.empty()) continue;
    last_start = start;
    exact_before_last = spelling.exact.size();
    last_slash_before_last = last_slash;
    renamed_before_last = renamed;
    const std::string_view part = StoredName(written);
    renamed = renamed || part.size() != written.size();
    if (IsRefusedName(part, code_page_)) {
      return Status::Error(WinError::InvalidName, path, "invalid file name");
    }
    if (spelling.exact.size() != 1 || spelling.exact[0] != '/') spelling.exact += '/';
    last_slash = spelling.exact.size() - 1;
    if (ascii && code_page_.KeepsAscii()) {
      spelling.exact += part;
    } else {
      code_page_.AppendAsUtf8(spelling.exact, part);
    }
  }
  if (last_start != std::string::npos && last_start + 2 > resumed) {
    RememberSpelling({spelling.full_path.substr(0, last_start + 2),
                      spelling.exact.substr(0, exact_before_last), last_slash_before_last,
                      renamed_before_last});
  }
  if (renamed) spelling.full_path = WithStoredNames(spelling.full_path, code_page_);
  if (last_slash != std::string::npos) spelling.last_name = last_slash + 1;
  return spelling;
}

size_t PosixFileSystem::ResumeSpelling(const std::string& full_path, Spelling& spelling,
                                       size_t& last_slash, bool& renamed) {
  std::lock_guard<std::mutex> lock(spelt_mutex_);
  SpeltDirectory* longest = nullptr;
  for (SpeltDirectory& spelt : spelt_directories_) {
    const size_t size = spelt.full_directory.size();
    if (size == 0 || size >= full_path.size()) continue;
    if (longest != nullptr && size <= longest->full_directory.size()) continue;
    if (full_path.compare(0, size, spelt.full_directory) == 0) longest = &spelt;
  }
  if (longest == nullptr) return 0;
  longest->last_used = ++spelt_clock_;
  // Room for the names that follow, as Spell appends them.
  spelling.exact.reserve(longest->exact.size() + full_path.size() - longest->full_directory.size() +
                         8);
  spelling.exact = longest->exact;
  last_slash = longest->last_slash;
  renamed = longest->renamed;
  return longest->full_directory.size();
}

void PosixFileSystem::RememberSpelling(SpeltDirectory spelt) {
  if (spelt.last_slash == std::string::npos) return;
  std::lock_guard<std::mutex> lock(spelt_mutex_);
  spelt.last_used = ++spelt_clock_;
  *std::min_element(spelt_directories_.begin(), spelt_directories_.end(),
                    [](const SpeltDirectory& a, const SpeltDirectory& b) {
                      return a.last_used < b.last_used;
                    }) = std::move(spelt);
}

PosixFileSystem::Resolved PosixFileSystem::InParent(Spelling& spelling,
                                                    const std::optional<std::string>& match) {
  Resolved resolved;
  resolved.full_path = std::move(spelling.full_path);
  resolved.written_name = spelling.LastName();
  resolved.exists = match.has_value();
  resolved.parent_exists = true;
  resolved.write_protected = spelling.drive->type == DriveType::CdRom;
  // Without a match the name stays as written, which `exact` spells already; another
  // spelling replaces the last name in place.
  if (match && spelling.exact.compare(spelling.last_name, std::string::npos, *match) != 0) {
    spelling.exact.resize(spelling.last_name);
    spelling.exact += *match;
  }
  resolved.host_path = std::move(spelling.exact);
  return resolved;
}

Result<PosixFileSystem::Resolved> PosixFileSystem::Resolve(const std::string& path, int* read_fd) {
  if (read_fd != nullptr) *read_fd = -1;
  auto spelling = Spell(path);
  if (!spelling.ok()) return spelling.status();
  return ResolveSpelt(*spelling, path, read_fd);
}

Result<PosixFileSystem::Resolved> PosixFileSystem::ResolveSpelt(Spelling& spelling,
                                                                const std::string& path,
                                                                int* read_fd) {
  auto resolved = Look(spelling, path, read_fd);
  // A file opened on the way was opened without following a link as its last name.
  const bool opened = read_fd != nullptr && *read_fd >= 0;
  Status status = resolved.ok() ? CheckOnDrives(*resolved, path, opened) : Status::Ok();
  if (status.ok()) return resolved;
  if (read_fd != nullptr && *read_fd >= 0) {
    close(*read_fd);
    *read_fd = -1;
  }
  return status;
}

Result<PosixFileSystem::Resolved> PosixFileSystem::ResolveNew(const std::string& path) {
  auto resolved = LookNew(path);
  Status status = resolved.ok() ? CheckOnDrives(*resolved, path, false) : Status::Ok();
  if (!status.ok()) return status;
  return resolved;
}

Result<PosixFileSystem::Resolved> PosixFileSystem::Look(Spelling& spelling, const std::string& path,
                                                        int* read_fd) {
  if (read_fd != nullptr) *read_fd = -1;
  if (spelling.HasNames()) {
    // Most paths are spelt as on the disk: the host resolves them in one call, and the
    // component-by-component match is needed only when that fails.
    // From the directory the walk holds open, when it is that one.
    const HostAt at = AtLastName(spelling.exact, false);
    if (read_fd != nullptr) {
      // Opening is the test for existence too, when the file is to be read anyway.
      // A link as the last name is not opened here: its target is checked first.
      *read_fd = OpenToReadAt(at.fd, at.name, false);
      if (*read_fd >= 0) {
        Resolved resolved = InParent(spelling, spelling.LastName());
        resolved.in_held_directory = at.in_held_directory;
        return resolved;
      }
    }
    struct stat info {};
    const int error = fstatat(at.fd, at.name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    if (error == 0) {
      Resolved resolved = InParent(spelling, spelling.LastName());
      resolved.entry = info;
      resolved.in_held_directory = at.in_held_directory;
      return resolved;
    }
    // A new name in a directory that is spelt as on the disk: only the last name needs
    // matching, against the other names in that directory.
    if (error == ENOENT) {
      const std::string parent = spelling.Parent();
      if (StatDirectory(parent, info)) {
        return InParent(spelling,
                        directory_cache_.Find(parent, info, WantedKey(spelling.LastName())));
      }
    }
  }
  return Walk(spelling, path);
}

Result<PosixFileSystem::Resolved> PosixFileSystem::LookNew(const std::string& path) {
  auto spelling = Spell(path);
  if (!spelling.ok()) return spelling.status();
  struct stat info {};
  const std::string parent = spelling->Parent();
  if (spelling->HasNames() && StatDirectory(parent, info)) {
    // A kept listing of the directory answers without another host call.
    const PosixDirectoryCache::Kept kept =
        directory_cache_.FindKept(info, spelling->LastName(), WantedKey(spelling->LastName()));
    if (kept.kept) return InParent(*spelling, kept.name);
    struct stat entry {};
    const int error = lstat(spelling->exact.c_str(), &entry) == 0 ? 0 : errno;
    if (error == 0) {
      Resolved resolved = InParent(*spelling, spelling->LastName());
      resolved.entry = entry;
      return resolved;
    }
    if (error == ENOENT) {
      return InParent(*spelling,
                      directory_cache_.Find(parent, info, WantedKey(spelling->LastName())));
    }
  }
  return Walk(*spelling, path);
}

Result<PosixFileSystem::Resolved> PosixFileSystem::Walk(Spelling& spelling,
                                                        const std::string& path) {
  Resolved resolved;
  resolved.full_path = std::move(spelling.full_path);
  resolved.host_path = spelling.drive->host_root;
  resolved.write_protected = spelling.drive->type == DriveType::CdRom;
  struct stat dir_info {};
  if (!StatDirectory(spelling.drive->host_root, dir_info)) {
    // A drive whose directory is gone is a drive without its medium.
    return Status::Error(WinError::NotReady, path, "the drive is not ready");
  }
  resolved.exists = true;
  resolved.parent_exists = true;
  // The names are the parts of the exact spelling after the drive's root.
  const std::string_view exact(spelling.exact);
  for (size_t at = spelling.drive->host_root.size(); at < exact.size();) {
    const size_t slash = exact.find('/', at);
    const size_t end = slash == std::string_view::npos ? exact.size() : slash;
    const std::string name(exact.substr(at, end - at));
    at = end + 1;
    if (name.empty()) continue;
    const bool last = end == exact.size();
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
