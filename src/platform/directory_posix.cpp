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
#include "platform/wildcard_match.h"
#include "platform/windows_path.h"

namespace setup {

Result<std::vector<FindData>> PosixFileSystem::FindFiles(const std::string& pattern) {
  return Find(pattern, true);
}

Result<std::vector<FindData>> PosixFileSystem::FindFilesWithoutDots(const std::string& pattern) {
  return Find(pattern, false);
}

Result<std::vector<FindData>> PosixFileSystem::Find(const std::string& pattern, bool with_dots) {
  const FindPattern split = SplitFindPattern(pattern, code_page_);
  const std::string& directory = split.directory;
  const std::string& name_pattern = split.name_pattern;
  if (name_pattern.empty()) return Status::Error(WinError::FileNotFound, pattern, "no file name");
  if (!HasWildcard(name_pattern)) {
    auto info = GetFileInfo(pattern);
    if (!info.ok()) return info.status();
    return std::vector<FindData>{std::move(*info)};
  }
  auto listed = [&](Result<std::vector<FindData>> found) -> Result<std::vector<FindData>> {
    if (!found.ok()) return PosixError(pattern, found.status().os_errno());
    if (found->empty()) return Status::Error(WinError::FileNotFound, pattern, "no matching file");
    return found;
  };
  // Most directories are spelt as on the disk and are no link: opening one as spelt does in
  // one host call what looking it up and then opening it does in two.
  // The current directory is in full form already, which spells quicker than ".".
  auto spelling = Spell(directory == "." ? CurrentDirectory() : directory);
  if (spelling.ok() && spelling->HasNames()) {
    // The folder a walk has just entered is open already.
    int fd = opened_directory_.Take(spelling->exact);
    if (fd < 0) fd = OpenSpeltDirectory(spelling->exact);
    if (fd >= 0) {
      const Resolved resolved = InParent(*spelling, spelling->LastName());
      const Status on_drives = CheckOnDrives(resolved, directory, true);
      if (!on_drives.ok()) {
        close(fd);
        return on_drives;
      }
      RememberCheckedDirectory(resolved.host_path);
      return listed(ListDirectory(fd, resolved.host_path, name_pattern, with_dots));
    }
  }
  auto resolved = Resolve(directory);
  if (!resolved.ok()) return resolved.status();
  auto is_directory = resolved->exists ? IsDirectory(*resolved) : Result<bool>(false);
  if (!is_directory.ok() || !*is_directory) {
    return Status::Error(WinError::PathNotFound, pattern, "the directory does not exist");
  }
  const int fd = open(resolved->host_path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return PosixError(pattern, errno);
  // A drive root has no "." or "..": its parent is not part of the drive.
  return listed(
      ListDirectory(fd, resolved->host_path, name_pattern,
                    with_dots && !PathComponents(resolved->full_path, code_page_).empty()));
}

Result<std::vector<FindData>> PosixFileSystem::ListDirectory(int fd, const std::string& host_dir,
                                                             const std::string& pattern,
                                                             bool with_dots) {
  std::vector<FindData> entries;
  // Each entry's host path is built in one buffer: the directory's path, then its name.
  std::string host_path = host_dir == "/" ? std::string() : host_dir;
  host_path += '/';
  const size_t name_at = host_path.size();
  // Read straight from the descriptor: a directory stream would take its status first.
  alignas(struct dirent64) char buffer[32 * 1024];
  for (;;) {
    const ssize_t got = getdents64(fd, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    for (size_t at = 0; at < static_cast<size_t>(got);) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
      at += entry->d_reclen;
      const std::string host_name = entry->d_name;
      const bool dots = host_name == "." || host_name == "..";
      if (dots && !with_dots) continue;
      const std::string name = code_page_.FromUtf8(host_name);
      if (!MatchesWildcard(pattern, name, code_page_)) continue;
      host_path.resize(name_at);
      host_path += host_name;
      auto data = StatFindDataAt(fd, host_name, host_path, name);
      if (data.ok()) entries.push_back(std::move(*data));
    }
  }
  // The walk goes on in this directory: its files are opened and its folders entered from here.
  held_directories_.Hold(host_dir, fd);
  // Sorted as the original system's disks list names: "." and ".." first, then by name
  // without regard to case, so every run walks a directory in the same order. Small keys are
  // sorted, each compared in one pass (strings compare their bytes unsigned), and the
  // entries moved once at the end.
  std::vector<std::string> uppers;
  uppers.reserve(entries.size());
  struct Keyed {
    int rank;
    // The key's first eight bytes as one number, in the same order: most names differ there.
    uint64_t head;
    std::string_view upper;
    FindData* entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries.size());
  for (FindData& entry : entries) {
    const int rank = entry.name == "." ? 0 : entry.name == ".." ? 1 : 2;
    uppers.push_back(code_page_.Upper(entry.name));
    const std::string& upper = uppers.back();
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i) {
      head = head << 8 | (i < upper.size() ? static_cast<uint8_t>(upper[i]) : 0u);
    }
    keyed.push_back(Keyed{rank, head, upper, &entry});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.head != b.head) return a.head < b.head;
    const int order = a.upper.compare(b.upper);
    if (order != 0) return order < 0;
    return a.entry->name < b.entry->name;
  });
  std::vector<FindData> sorted;
  sorted.reserve(entries.size());
  for (const Keyed& k : keyed) sorted.push_back(std::move(*k.entry));
  return sorted;
}

Status PosixFileSystem::MakeDirectory(const std::string& path) {
  auto resolved = ResolveNew(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->write_protected) return WriteProtected(path);
  if (resolved->exists) return Status::Error(WinError::AlreadyExists, path, "already exists");
  if (!resolved->parent_exists) return Missing(*resolved, path);
  if (mkdir(resolved->host_path.c_str(), 0777) != 0) return PosixError(path, errno);
  RememberCheckedDirectory(resolved->host_path);
  return Status::Ok();
}

Status PosixFileSystem::MakeNewDirectory(const std::string& path) {
  // The name is made as spelt, without looking for it or for another spelling of it: where
  // that is wrong (the name exists after all, or its directory is spelt otherwise on the
  // disk) nothing is made, and the ordinary call does it all again.
  auto spelling = Spell(path);
  if (!spelling.ok() || !spelling->HasNames()) return MakeDirectory(path);
  const Resolved target = InParent(*spelling, std::nullopt);
  if (!CheckOnDrives(target, path, false).ok()) return MakeDirectory(path);
  if (target.write_protected) return WriteProtected(path);
  const HostAt at = AtLastName(target.host_path, true);
  if (mkdirat(at.fd, at.name, 0777) != 0) {
    const int error = errno;
    if (error == EEXIST || error == ENOENT || error == ENOTDIR) return MakeDirectory(path);
    return PosixError(path, error);
  }
  RememberCheckedDirectory(target.host_path);
  return Status::Ok();
}

}  // namespace setup
