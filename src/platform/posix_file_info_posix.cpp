#include "platform/posix_file_info.h"

#include <fcntl.h>
#include <linux/types.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/status_posix.h"

namespace setup {

namespace {

constexpr char DOS_ATTRIBUTE_NAME[] = "user.DOSATTRIB";
constexpr uint32_t DOS_ATTRIBUTE_BITS = ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE;
constexpr int64_t TICKS_PER_SECOND = 10000000;

// getxattrat(2), which the C library may not name yet; its number is the same on every
// architecture with the common system call table. -1 where unknown: the path is used.
#if defined(__NR_getxattrat)
constexpr long GETXATTRAT = __NR_getxattrat;
#elif defined(__x86_64__) || defined(__aarch64__) || defined(__riscv)
constexpr long GETXATTRAT = 464;
#else
constexpr long GETXATTRAT = -1;
#endif
// The kernel's struct xattr_args.
struct XattrArgs {
  __aligned_u64 value;
  __u32 size;
  __u32 flags;
};

bool NoUserAttributes(int error) { return error == ENOTSUP || error == EPERM; }

uint32_t ParseDosAttributes(const char* text, ssize_t length) {
  if (length < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return 0;
  uint32_t value = 0;
  for (ssize_t i = 2; i < length && text[i] != '\0'; ++i) {
    const char c = text[i];
    uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return 0;
    }
    value = ((value << 4) | digit) & 0xFFFF;
  }
  return value & DOS_ATTRIBUTE_BITS;
}

}  // namespace

FileTime ToFileTime(const struct timespec& time) {
  const int64_t ticks = static_cast<int64_t>(time.tv_sec) * TICKS_PER_SECOND + time.tv_nsec / 100 +
                        static_cast<int64_t>(FILETIME_UNIX_EPOCH);
  return ticks < 0 ? 0 : static_cast<FileTime>(ticks);
}

struct timespec ToTimespec(FileTime time) {
  const int64_t ticks = static_cast<int64_t>(time) - static_cast<int64_t>(FILETIME_UNIX_EPOCH);
  int64_t seconds = ticks / TICKS_PER_SECOND;
  int64_t rest = ticks % TICKS_PER_SECOND;
  if (rest < 0) {
    rest += TICKS_PER_SECOND;
    --seconds;
  }
  struct timespec result {};
  result.tv_sec = static_cast<time_t>(seconds);
  result.tv_nsec = static_cast<long>(rest * 100);
  return result;
}

uint32_t ReadDosAttributes(const std::string& host_path) {
  char text[32];
  const ssize_t length = getxattr(host_path.c_str(), DOS_ATTRIBUTE_NAME, text, sizeof(text));
  return length > 0 ? ParseDosAttributes(text, length) : 0;
}

namespace {

// ReadDosAttributes for entry `host_name` of the open directory `dir_fd`: looked up from
// there rather than down the whole path `host_path` again, where the kernel can (6.13 on).
uint32_t ReadDosAttributesAt(int dir_fd, const std::string& host_name,
                             const std::string& host_path) {
  static std::atomic<bool> unsupported{GETXATTRAT < 0};
  if (!unsupported) {
    char text[32];
    XattrArgs args{reinterpret_cast<uintptr_t>(text), sizeof(text), 0};
    const long length =
        syscall(GETXATTRAT, dir_fd, host_name.c_str(), 0, DOS_ATTRIBUTE_NAME, &args, sizeof(args));
    if (length >= 0 || errno != ENOSYS) {
      return length > 0 ? ParseDosAttributes(text, static_cast<ssize_t>(length)) : 0;
    }
    unsupported = true;
  }
  return ReadDosAttributes(host_path);
}

}  // namespace

Status WriteDosAttributes(const std::string& host_path, uint32_t attributes) {
  const uint32_t bits = attributes & DOS_ATTRIBUTE_BITS;
  int result = 0;
  if (bits == 0) {
    result = removexattr(host_path.c_str(), DOS_ATTRIBUTE_NAME);
    if (result != 0 && errno == ENODATA) result = 0;
  } else {
    char text[16];
    const int length = snprintf(text, sizeof(text), "0x%x", bits);
    result = setxattr(host_path.c_str(), DOS_ATTRIBUTE_NAME, text, static_cast<size_t>(length), 0);
  }
  if (result != 0 && !NoUserAttributes(errno)) return PosixError(host_path, errno);
  return Status::Ok();
}

void CopyDosAttributes(int from_fd, int to_fd) {
  char text[32];
  const ssize_t length = fgetxattr(from_fd, DOS_ATTRIBUTE_NAME, text, sizeof(text));
  if (length > 0) fsetxattr(to_fd, DOS_ATTRIBUTE_NAME, text, static_cast<size_t>(length), 0);
}

Result<FindData> StatFindData(const std::string& host_path, const std::string& name) {
  return StatFindDataAt(AT_FDCWD, host_path, host_path, name);
}

Result<FindData> StatFindDataAt(int dir_fd, const std::string& host_name,
                                const std::string& host_path, const std::string& name,
                                bool follow_link) {
  struct statx info {};
  const int flags = follow_link ? 0 : AT_SYMLINK_NOFOLLOW;
  if (statx(dir_fd, host_name.c_str(), flags, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
    const int error = errno;
    if (!follow_link || error != ENOENT ||
        statx(dir_fd, host_name.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS | STATX_BTIME,
              &info) != 0) {
      return PosixError(host_path, error);
    }
  }
  FindData data;
  data.name = name;
  const bool directory = S_ISDIR(info.stx_mode);
  const bool link = S_ISLNK(info.stx_mode);
  if (directory) data.attributes |= ATTRIB_DIRECTORY;
  if (IsReadOnlyMode(info.stx_mode) && !link) data.attributes |= ATTRIB_READONLY;
  if (link && !follow_link) {
    data.attributes |= ATTRIB_REPARSE_POINT;
  } else {
    data.attributes |= ReadDosAttributesAt(dir_fd, host_name, host_path);
  }
  if (data.attributes == 0) data.attributes = ATTRIB_NORMAL;
  data.size = directory ? 0 : info.stx_size;
  data.volume_id = (static_cast<uint64_t>(info.stx_dev_major) << 32) | info.stx_dev_minor;
  data.file_index = info.stx_ino;
  auto to_time = [](const struct statx_timestamp& stamp) {
    struct timespec time {};
    time.tv_sec = static_cast<time_t>(stamp.tv_sec);
    time.tv_nsec = static_cast<long>(stamp.tv_nsec);
    return ToFileTime(time);
  };
  data.last_write_time = to_time(info.stx_mtime);
  data.last_access_time = to_time(info.stx_atime);
  data.creation_time =
      (info.stx_mask & STATX_BTIME) ? to_time(info.stx_btime) : data.last_write_time;
  return data;
}

int OpenToRead(const std::string& host_path, bool follow_link) {
  return OpenToReadAt(AT_FDCWD, host_path.c_str(), follow_link);
}

int OpenToReadAt(int dir_fd, const char* name, bool follow_link) {
  return openat(dir_fd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow_link ? 0 : O_NOFOLLOW));
}

}  // namespace setup
