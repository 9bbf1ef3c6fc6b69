#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace setup {

// The names in host directories, kept for the look-ups of names not spelt as on the disk
// (a new destination name has to be checked against every name in its directory). A kept
// listing is exact: an inotify watch on its directory reports every change made to it, by
// this process or any other on this host, and each look-up first applies the changes
// reported since the last one. A directory is kept from its second read on: most new
// directories get one new name, and a watch costs more than reading them once. Without
// inotify, past the size bounds, or on a file system that other hosts may change (only known
// local types are kept), every look-up reads the directory. Safe to use from several threads.
class PosixDirectoryCache {
 public:
  // The key under which a host name is found, or nullopt for a name never to be found.
  using Fold = std::function<std::optional<std::string>(const std::string& host_name)>;

  // Keeps at most `max_directories` listings holding at most `max_names` names in all.
  PosixDirectoryCache(Fold fold, size_t max_directories, size_t max_names);
  ~PosixDirectoryCache();
  PosixDirectoryCache(const PosixDirectoryCache&) = delete;
  PosixDirectoryCache& operator=(const PosixDirectoryCache&) = delete;

  // The least name (in byte order) other than "." and ".." in host directory `host_dir`
  // whose key is `key`; nullopt when there is none or the directory cannot be read.
  // `dir_info` is the directory's status, taken by the caller before the call.
  std::optional<std::string> Find(const std::string& host_dir, const struct stat& dir_info,
                                  const std::string& key);

  // What a kept listing says of a name.
  struct Kept {
    bool kept = false;                // a listing of the directory is kept
    std::optional<std::string> name;  // `name` itself when present, else as Find
  };
  // Answers from a kept listing only; never reads the directory.
  Kept FindKept(const struct stat& dir_info, const std::string& name, const std::string& key);

  // How many times a directory was read rather than answered from a kept listing.
  uint64_t reads() const;

 private:
  using Identity = std::pair<dev_t, ino_t>;
  struct Listing {
    int watch = -1;
    uint64_t last_used = 0;
    size_t names = 0;
    std::unordered_map<std::string, std::vector<std::string>> by_key;
  };

  // `name` when the listing holds it, else the least name whose key is `key`.
  static std::optional<std::string> Least(const Listing& listing, const std::string& key,
                                          const std::string& name = std::string());
  // The kept listing of the directory, brought up to date; nullptr when none is kept.
  const Listing* KeptListing(const Identity& identity);
  void Add(Listing& listing, const std::string& name);
  void Remove(Listing& listing, const std::string& name);
  // Applies every change the watches reported since the last call.
  void ApplyChanges();
  // Forgets a listing (and its watch when `unwatch`).
  void Drop(const Identity& identity, bool unwatch);
  void DropAll();
  // Reads the directory, with a watch when `watch`. nullopt when it cannot be read.
  std::optional<Listing> ReadDirectory(const std::string& host_dir, const Identity& identity,
                                       bool watch);
  // Whether the directory was read before (recently): notes it as read when not.
  bool ReadBefore(const Identity& identity);
  void Keep(const Identity& identity, Listing listing);

  Fold fold_;
  const size_t max_directories_;
  const size_t max_names_;
  mutable std::mutex mutex_;
  int inotify_fd_ = -1;
  bool inotify_tried_ = false;
  size_t total_names_ = 0;
  uint64_t clock_ = 0;
  uint64_t reads_ = 0;
  std::map<Identity, Listing> listings_;
  std::unordered_map<int, Identity> watches_;
  // The directories read once and not kept, the latest last; at most max_directories_.
  std::deque<Identity> read_once_;
};

}  // namespace setup
