#include "platform/posix_directory_cache.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <limits.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace setup {

namespace {

// Every change to the set of names in a directory, and the end of the directory itself.
constexpr uint32_t WATCHED_EVENTS =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_ONLYDIR;

// File systems changed only through this host's kernel, so that inotify sees every change.
// Network and FUSE file systems are left out: other machines change them unseen.
bool IsLocalFileSystem(int fd) {
  struct statfs info {};
  if (fstatfs(fd, &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case EXT4_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case RAMFS_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case OVERLAYFS_SUPER_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
    case ISOFS_SUPER_MAGIC:
    case UDF_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
}

}  // namespace

PosixDirectoryCache::PosixDirectoryCache(Fold fold, size_t max_directories, size_t max_names)
    : fold_(std::move(fold)), max_directories_(max_directories), max_names_(max_names) {}

PosixDirectoryCache::~PosixDirectoryCache() {
  if (inotify_fd_ >= 0) close(inotify_fd_);
}

uint64_t PosixDirectoryCache::reads() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return reads_;
}

std::optional<std::string> PosixDirectoryCache::Find(const std::string& host_dir,
                                                     const struct stat& dir_info,
                                                     const std::string& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Identity identity(dir_info.st_dev, dir_info.st_ino);
  if (const Listing* kept = KeptListing(identity)) return Least(*kept, key);
  const bool watch = inotify_fd_ >= 0 && ReadBefore(identity);
  // A listing about to be kept is counted against the bounds as they are now.
  if (watch) ApplyChanges();
  std::optional<Listing> listing = ReadDirectory(host_dir, identity, watch);
  if (!listing) return std::nullopt;
  std::optional<std::string> found = Least(*listing, key);
  if (listing->watch >= 0) Keep(identity, std::move(*listing));
  return found;
}

PosixDirectoryCache::Kept PosixDirectoryCache::FindKept(const struct stat& dir_info,
                                                        const std::string& name,
                                                        const std::string& key) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Listing* kept = KeptListing(Identity(dir_info.st_dev, dir_info.st_ino));
  if (kept == nullptr) return Kept{};
  return Kept{true, Least(*kept, key, name)};
}

const PosixDirectoryCache::Listing* PosixDirectoryCache::KeptListing(const Identity& identity) {
  if (!inotify_tried_) {
    inotify_tried_ = true;
    if (max_directories_ > 0) inotify_fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  }
  // Reported changes never add a listing, so a directory without one needs no look at them
  // (most directories of a walk, and a host call each).
  if (listings_.find(identity) == listings_.end()) return nullptr;
  ApplyChanges();
  auto kept = listings_.find(identity);
  if (kept == listings_.end()) return nullptr;
  kept->second.last_used = ++clock_;
  return &kept->second;
}

std::optional<std::string> PosixDirectoryCache::Least(const Listing& listing,
                                                      const std::string& key,
                                                      const std::string& name) {
  auto names = listing.by_key.find(key);
  if (names == listing.by_key.end() || names->second.empty()) return std::nullopt;
  if (std::find(names->second.begin(), names->second.end(), name) != names->second.end()) {
    return name;
  }
  return *std::min_element(names->second.begin(), names->second.end());
}

void PosixDirectoryCache::Add(Listing& listing, const std::string& name) {
  std::optional<std::string> key = fold_(name);
  if (!key) return;
  std::vector<std::string>& names = listing.by_key[*key];
  if (std::find(names.begin(), names.end(), name) != names.end()) return;
  names.push_back(name);
  ++listing.names;
}

void PosixDirectoryCache::Remove(Listing& listing, const std::string& name) {
  std::optional<std::string> key = fold_(name);
  if (!key) return;
  auto names = listing.by_key.find(*key);
  if (names == listing.by_key.end()) return;
  auto at = std::find(names->second.begin(), names->second.end(), name);
  if (at == names->second.end()) return;
  names->second.erase(at);
  if (names->second.empty()) listing.by_key.erase(names);
  --listing.names;
}

void PosixDirectoryCache::ApplyChanges() {
  alignas(struct inotify_event) char buffer[16 * 1024];
  for (;;) {
    const ssize_t got = read(inotify_fd_, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno != EAGAIN) {
      // Changes may have been lost: nothing kept can be trusted.
      DropAll();
      break;
    }
    if (got <= 0) break;
    const size_t end = static_cast<size_t>(got);
    // The kernel fills the buffer while events fit: with room left for the largest event,
    // the queue was empty.
    const bool drained = end <= sizeof(buffer) - (sizeof(struct inotify_event) + NAME_MAX + 1);
    size_t at = 0;
    while (at + sizeof(struct inotify_event) <= end) {
      struct inotify_event event;
      std::memcpy(&event, buffer + at, sizeof(event));
      const char* name_at = buffer + at + sizeof(event);
      at += sizeof(event) + event.len;
      if (at > end) break;
      if (event.mask & IN_Q_OVERFLOW) {
        DropAll();
        continue;
      }
      auto watch = watches_.find(event.wd);
      if (watch == watches_.end()) continue;
      const Identity identity = watch->second;
      if (event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_UNMOUNT)) {
        // The kernel removes the watch itself.
        Drop(identity, false);
        continue;
      }
      Listing& listing = listings_.at(identity);
      const std::string name(name_at, strnlen(name_at, event.len));
      const size_t before = listing.names;
      if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
        Add(listing, name);
      } else if (event.mask & (IN_DELETE | IN_MOVED_FROM)) {
        Remove(listing, name);
      }
      total_names_ = total_names_ + listing.names - before;
    }
    if (drained) break;
  }
  while (total_names_ > max_names_ && !listings_.empty()) {
    auto oldest = std::min_element(listings_.begin(), listings_.end(), [](auto& a, auto& b) {
      return a.second.last_used < b.second.last_used;
    });
    Drop(oldest->first, true);
  }
}

void PosixDirectoryCache::Drop(const Identity& identity, bool unwatch) {
  auto listing = listings_.find(identity);
  if (listing == listings_.end()) return;
  if (unwatch) inotify_rm_watch(inotify_fd_, listing->second.watch);
  watches_.erase(listing->second.watch);
  total_names_ -= listing->second.names;
  listings_.erase(listing);
}

void PosixDirectoryCache::DropAll() {
  for (const auto& [identity, listing] : listings_) inotify_rm_watch(inotify_fd_, listing.watch);
  listings_.clear();
  watches_.clear();
  total_names_ = 0;
}

bool PosixDirectoryCache::ReadBefore(const Identity& identity) {
  auto seen = std::find(read_once_.begin(), read_once_.end(), identity);
  if (seen != read_once_.end()) {
    read_once_.erase(seen);
    return true;
  }
  if (max_directories_ == 0) return false;
  if (read_once_.size() >= max_directories_) read_once_.pop_front();
  read_once_.push_back(identity);
  return false;
}

std::optional<PosixDirectoryCache::Listing> PosixDirectoryCache::ReadDirectory(
    const std::string& host_dir, const Identity& identity, bool watch) {
  ++reads_;
  const int fd = open(host_dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  Listing listing;
  struct stat info {};
  // The watch goes on before the names are read, so that no change goes unseen; it is set
  // through the open descriptor so that it watches the very directory read.
  if (watch && fstat(fd, &info) == 0 && info.st_dev == identity.first &&
      info.st_ino == identity.second && IsLocalFileSystem(fd)) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    listing.watch = inotify_add_watch(inotify_fd_, self.c_str(), WATCHED_EVENTS);
    auto stale = listing.watch >= 0 ? watches_.find(listing.watch) : watches_.end();
    if (stale != watches_.end()) Drop(stale->second, false);
  }
  // Read straight from the descriptor: a directory stream would take its status again.
  alignas(struct dirent64) char buffer[32 * 1024];
  bool complete = true;
  for (;;) {
    const ssize_t got = getdents64(fd, buffer, sizeof(buffer));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      complete = got == 0;
      break;
    }
    for (size_t at = 0; at < static_cast<size_t>(got);) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
      at += entry->d_reclen;
      if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
        Add(listing, entry->d_name);
      }
    }
  }
  close(fd);
  if (!complete && listing.watch >= 0) {
    inotify_rm_watch(inotify_fd_, listing.watch);
    listing.watch = -1;
  }
  return listing;
}

void PosixDirectoryCache::Keep(const Identity& identity, Listing listing) {
  if (listing.names > max_names_) {
    inotify_rm_watch(inotify_fd_, listing.watch);
    return;
  }
  while (!listings_.empty() &&
         (listings_.size() >= max_directories_ || total_names_ + listing.names > max_names_)) {
    auto oldest = std::min_element(listings_.begin(), listings_.end(), [](auto& a, auto& b) {
      return a.second.last_used < b.second.last_used;
    });
    Drop(oldest->first, true);
  }
  listing.last_used = ++clock_;
  total_names_ += listing.names;
  watches_[listing.watch] = identity;
  listings_.emplace(identity, std::move(listing));
}

}  // namespace setup
