#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix_file_info.h"
#include "platform/posix_file_system.h"
#include "platform/posix_temp_file.h"
#include "platform/status_posix.h"
#include "platform/windows_name_rules.h"

namespace setup {

namespace {

// Closes a descriptor (when not negative) at the end of its scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

 private:
  int fd_;
};

// The process's file creation mask, from /proc (umask cannot be read without setting it,
// which would race with other threads); 0777 when unknown, so that every mode is set
// explicitly.
mode_t CreationMask() {
  static const mode_t mask = [] {
    FILE* status = fopen("/proc/self/status", "re");
    if (status == nullptr) return mode_t{0777};
    char line[256];
    unsigned value = 0777;
    while (fgets(line, sizeof(line), status) != nullptr) {
      if (sscanf(line, "Umask: %o", &value) == 1) break;
    }
    fclose(status);
    return static_cast<mode_t>(value & 0777);
  }();
  return mask;
}

// The source ended before the size it had when it was opened: it shrank or vanished.
Status ShortSource(const std::string& from) {
  return Status::Error(WinError::HandleEof, from, "the file became shorter while it was copied");
}

// Copies `left` more bytes of `from_fd` into `to_fd` by reading and writing (to the end when
// `to_end`).
Status CopyByReading(int from_fd, uint64_t left, bool to_end, PosixTempFile& temp,
                     const std::string& from, const std::string& to) {
  char buffer[128 * 1024];
  while (to_end || left > 0) {
    const size_t want = to_end ? sizeof(buffer) : std::min<uint64_t>(left, sizeof(buffer));
    const ssize_t got = read(from_fd, buffer, want);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return PosixError(from, errno);
    if (got == 0) return to_end ? Status::Ok() : ShortSource(from);
    Status written = temp.WriteAll(buffer, static_cast<size_t>(got));
    if (!written.ok()) return PosixError(to, written.os_errno());
    left -= std::min<uint64_t>(left, static_cast<uint64_t>(got));
  }
  return Status::Ok();
}

// Copies `from_fd` (of `size` bytes by its status when opened) from its start into the empty
// `temp`: in the kernel where it can, which spares the copy through user memory, else by
// reading and writing. Exactly `size` bytes are copied, and a source that ends earlier fails;
// a size of 0, which some host files report whatever they hold, reads to the end.
Status CopyContents(int from_fd, uint64_t size, PosixTempFile& temp, const std::string& from,
                    const std::string& to) {
  const bool to_end = size == 0;
  uint64_t left = size;
  while (to_end || left > 0) {
    const size_t want = to_end ? size_t{1} << 30 : std::min<uint64_t>(left, uint64_t{1} << 30);
    const ssize_t copied = copy_file_range(from_fd, nullptr, temp.fd(), nullptr, want, 0);
    if (copied > 0) {
      left -= std::min<uint64_t>(left, static_cast<uint64_t>(copied));
      continue;
    }
    if (copied == 0) return to_end ? Status::Ok() : ShortSource(from);
    if (errno == EINTR) continue;
    // Both offsets stand after the bytes copied so far, so reading and writing goes on
    // from there, and tells a failing source from a failing destination.
    return CopyByReading(from_fd, left, to_end, temp, from, to);
  }
  return Status::Ok();
}

// How a copy is made.
struct CopyWay {
  bool no_replace = false;  // an existing destination fails with AlreadyExists
  bool replaces = false;    // the destination exists
  // The copy gets none of the source's attributes: it is writable, neither hidden, system
  // nor archive.
  bool plain = false;
  // A directory open above the destination, from which the destination's path from its byte
  // `relative_from` on leads there; -1 for none.
  int at_fd = -1;
  size_t relative_from = 0;
};

// Copies the open file `from_fd` (with status `info`) to `destination`, with its
// permissions, hidden/system/archive bits and times (only its times and permissions, made
// writable, when plain). The copy is written beside the destination and takes its name only
// when complete, so that no failure, not even the process's death, leaves a short file under
// that name. `from` and `to` name the two files in messages.
Status CopyOpenFile(int from_fd, const struct stat& info, const std::string& destination,
                    const std::string& from, const std::string& to, const CopyWay& way) {
  // Created with the source's permissions where the mask lets it, which spares setting them
  // afterwards; the owner keeps write permission until the attributes are copied.
  const mode_t wanted = (info.st_mode & 0777) | (way.plain ? S_IWUSR : 0);
  auto temp =
      PosixTempFile::CreateBeside(destination, wanted | S_IWUSR, way.at_fd, way.relative_from);
  if (!temp.ok()) return PosixError(to, temp.status().os_errno());
  Status status = CopyContents(from_fd, static_cast<uint64_t>(info.st_size), *temp, from, to);
  if (!status.ok()) return status;
  const bool mode_as_wanted = (wanted & S_IWUSR) != 0 && (wanted & CreationMask()) == 0;
  if (!mode_as_wanted && fchmod(temp->fd(), wanted) != 0) return PosixError(to, errno);
  if (!way.plain) CopyDosAttributes(from_fd, temp->fd());
  const struct timespec times[2] = {info.st_atim, info.st_mtim};
  if (futimens(temp->fd(), times) != 0) return PosixError(to, errno);
  // Only a file that replaces another needs to reach the disk before it takes the name: a
  // crash must not leave an empty file where the old one was.
  status = temp->Commit(destination, way.no_replace, way.replaces);
  if (!status.ok()) return PosixError(to, status.os_errno());
  return Status::Ok();
}

// Refuses what is not a plain file: a directory, or a special file (a pipe, a device, a
// socket), which has no contents to copy and could block the copy for ever.
Status CheckCopyable(const struct stat& info, const std::string& from) {
  if (S_ISDIR(info.st_mode)) return Status::Error(WinError::AccessDenied, from, "is a directory");
  if (!S_ISREG(info.st_mode)) {
    return Status::Error(WinError::AccessDenied, from, "is not a regular file");
  }
  return Status::Ok();
}

// Copies the source, open as `opened` or else opened now from `source_host`, to the host path
// `destination` (see CopyOpenFile).
Status CopySource(int opened, const std::string& source_host, const std::string& destination,
                  const std::string& from, const std::string& to, const CopyWay& way) {
  const int fd = opened >= 0 ? opened : OpenToRead(source_host);
  if (fd < 0) return PosixError(from, errno);
  const Descriptor late_fd(opened >= 0 ? -1 : fd);
  struct stat info {};
  if (fstat(fd, &info) != 0) return PosixError(from, errno);
  Status status = CheckCopyable(info, from);
  if (!status.ok()) return status;
  return CopyOpenFile(fd, info, destination, from, to, way);
}

}  // namespace

int PosixFileSystem::OpenInCurrentDirectory(const std::string& name) {
  // A name with a separator is a path (a second byte that is a backslash counts too, which
  // merely takes the full look-up).
  if (name.empty() || name == "." || name == "..") return -1;
  bool ascii = true;
  for (const char c : name) {
    if (c == '\\' || c == '/') return -1;
    ascii = ascii && static_cast<uint8_t>(c) < 0x80;
  }
  const std::string_view stored = StoredName(name);
  if (IsRefusedName(stored, code_page_)) return -1;
  std::string host_name;
  if (ascii && code_page_.KeepsAscii()) {
    host_name = stored;
  } else {
    code_page_.AppendAsUtf8(host_name, stored);
  }
  PosixHeldDirectories::Handle directory;
  {
    std::lock_guard<std::mutex> lock(current_directory_mutex_);
    if (current_exact_.empty()) return -1;
    directory = held_directories_.Find(current_exact_);
  }
  // A directory is held only once it was found on the drives, and the name is opened
  // without following a link: nothing is left to check.
  return directory ? OpenToReadAt(directory->fd(), host_name.c_str(), false) : -1;
}

Status PosixFileSystem::FindSource(const std::string& from, int& fd, std::string& host_path) {
  fd = OpenInCurrentDirectory(from);
  if (fd >= 0) return Status::Ok();
  auto source = Resolve(from, &fd);
  if (!source.ok()) return source.status();
  if (!source->exists) return Missing(*source, from);
  host_path = std::move(source->host_path);
  return Status::Ok();
}

Status PosixFileSystem::CopyFileTo(const std::string& from, const std::string& to,
                                   bool fail_if_exists) {
  return CopyFileAs(from, to, fail_if_exists, false);
}

Status PosixFileSystem::CopyNewFile(const std::string& from, const std::string& to) {
  return CopyNewFileAs(from, to, false);
}

Status PosixFileSystem::CopyPlainFile(const std::string& from, const std::string& to, bool is_new) {
  return is_new ? CopyNewFileAs(from, to, true) : CopyFileAs(from, to, false, true);
}

Status PosixFileSystem::CopyFileAs(const std::string& from, const std::string& to,
                                   bool fail_if_exists, bool plain) {
  int opened = -1;
  auto source = Resolve(from, &opened);
  const Descriptor source_fd(opened);
  if (!source.ok()) return source.status();
  if (!source->exists) return Missing(*source, from);
  auto target = ResolveNew(to);
  if (!target.ok()) return target.status();
  if (target->write_protected) return WriteProtected(to);
  if (!target->parent_exists) return Missing(*target, to);
  if (target->exists) {
    if (fail_if_exists) return Status::Error(WinError::FileExists, to, "the file exists");
    struct stat existing {};
    if (EntryStatus(*target, existing)) {
      if (S_ISDIR(existing.st_mode)) {
        return Status::Error(WinError::AccessDenied, to, "is a directory");
      }
      if (S_ISREG(existing.st_mode) && IsReadOnlyMode(existing.st_mode)) {
        return Status::Error(WinError::AccessDenied, to, "the file is read-only");
      }
    }
  }
  const Status status = CopySource(opened, source->host_path, target->host_path, from, to,
                                   {fail_if_exists, target->exists, plain});
  if (status.win_error() == WinError::AlreadyExists) {
    return Status::Error(WinError::FileExists, to, "the file exists");
  }
  return status;
}

Status PosixFileSystem::CopyNewFileAs(const std::string& from, const std::string& to, bool plain) {
  // The destination is taken as spelt, without looking for it or for another spelling of it:
  // where that is wrong (the name exists after all, or its directory is spelt otherwise on
  // the disk) the copy never takes the name, and the ordinary copy does it all again.
  auto spelling = Spell(to);
  if (!spelling.ok() || !spelling->HasNames()) return CopyFileAs(from, to, false, plain);
  const Resolved target = InParent(*spelling, std::nullopt);
  Status status;
  {
    int opened = -1;
    std::string source_host;
    const Status found = FindSource(from, opened, source_host);
    const Descriptor source_fd(opened);
    if (!found.ok()) return found;
    // The files of a folder are written one after another: its directory is held open, and
    // was checked when it was taken.
    HostAt at = AtLastName(target.host_path, false);
    if (!at.in_held_directory) {
      status = CheckOnDrives(target, to, false);
      if (status.ok()) at = AtLastName(target.host_path, true);
    }
    if (status.ok() && target.write_protected) return WriteProtected(to);
    if (status.ok()) {
      const CopyWay way{true, false, plain, at.directory ? at.fd : -1,
                        static_cast<size_t>(at.name - target.host_path.c_str())};
      status = CopySource(opened, source_host, target.host_path, from, to, way);
    }
  }
  const int error = status.os_errno();
  if (status.ok() || (error != EEXIST && error != ENOENT && error != ENOTDIR)) return status;
  return CopyFileAs(from, to, false, plain);
}

Status PosixFileSystem::RemoveFile(const std::string& path) {
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->write_protected) return WriteProtected(path);
  if (!resolved->exists) return Missing(*resolved, path);
  struct stat info {};
  if (!EntryStatus(*resolved, info)) return PosixError(path, errno);
  if (S_ISDIR(info.st_mode)) return Status::Error(WinError::AccessDenied, path, "is a directory");
  if (S_ISREG(info.st_mode) && IsReadOnlyMode(info.st_mode)) {
    return Status::Error(WinError::AccessDenied, path, "the file is read-only");
  }
  if (unlink(resolved->host_path.c_str()) != 0) return PosixError(path, errno);
  return Status::Ok();
}

Status PosixFileSystem::RenameFile(const std::string& from, const std::string& to) {
  ForgetKnownDirectories();
  auto source = Resolve(from);
  if (!source.ok()) return source.status();
  if (!source->exists) return Missing(*source, from);
  auto target = ResolveNew(to);
  if (!target.ok()) return target.status();
  // A move takes the file off its drive as much as it puts it on the other.
  if (source->write_protected || target->write_protected) {
    return WriteProtected(source->write_protected ? from : to);
  }
  if (!target->parent_exists) return Missing(*target, to);
  std::string destination = target->host_path;
  if (target->exists) {
    // The same entry under another spelling is a change of case, which renames; anything
    // else that exists is never replaced.
    struct stat a {};
    struct stat b {};
    const bool same = lstat(source->host_path.c_str(), &a) == 0 &&
                      lstat(target->host_path.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
                      a.st_ino == b.st_ino;
    const size_t slash = target->host_path.rfind('/');
    destination = target->host_path.substr(0, slash + 1) + target->written_name;
    if (!same || destination == target->host_path) {
      return Status::Error(WinError::AlreadyExists, to, "the destination exists");
    }
  }
  const bool case_change = target->exists;
  int result = case_change ? rename(source->host_path.c_str(), destination.c_str())
                           : renameat2(AT_FDCWD, source->host_path.c_str(), AT_FDCWD,
                                       destination.c_str(), RENAME_NOREPLACE);
  if (result != 0 && !case_change && errno == EINVAL) {
    // The file system cannot refuse atomically; the destination was seen missing above.
    struct stat existing {};
    if (lstat(destination.c_str(), &existing) == 0) {
      return Status::Error(WinError::AlreadyExists, to, "the destination exists");
    }
    result = rename(source->host_path.c_str(), destination.c_str());
  }
  if (result == 0) return Status::Ok();
  if (errno != EXDEV) {
    const int error = errno;
    return error == EEXIST ? Status::Error(WinError::AlreadyExists, to, "the destination exists")
                           : PosixError(from, error);
  }
  // Another host file system: a file is copied and the original removed, as a move between
  // volumes did; a directory cannot move there.
  const int fd = OpenToRead(source->host_path);
  if (fd < 0) return PosixError(from, errno);
  struct stat info {};
  Status status;
  if (fstat(fd, &info) != 0) {
    status = PosixError(from, errno);
  } else if (S_ISDIR(info.st_mode)) {
    status = Status::Error(WinError::NotSameDevice, to, "cannot move a directory to another drive");
  } else if (status = CheckCopyable(info, from); status.ok()) {
    status = CopyOpenFile(fd, info, destination, from, to, {true, false});
  }
  close(fd);
  if (status.ok() && unlink(source->host_path.c_str()) != 0) return PosixError(from, errno);
  if (status.win_error() == WinError::AlreadyExists) {
    return Status::Error(WinError::AlreadyExists, to, "the destination exists");
  }
  return status;
}

}  // namespace setup
