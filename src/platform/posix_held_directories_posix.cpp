#include "platform/posix_held_directories.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

namespace setup {

PosixHeldDirectories::Directory::~Directory() { close(fd_); }

PosixHeldDirectories::Handle PosixHeldDirectories::Find(std::string_view host_dir) {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindLocked(host_dir);
}

PosixHeldDirectories::Handle PosixHeldDirectories::FindOrOpenOnReuse(std::string_view host_dir) {
  const size_t slash = host_dir.rfind('/');
  Handle parent;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (Handle held = FindLocked(host_dir)) return held;
    if (std::find(missed_.begin(), missed_.end(), host_dir) == missed_.end()) {
      missed_[next_missed_] = host_dir;
      next_missed_ = (next_missed_ + 1) % missed_.size();
      return nullptr;
    }
    if (slash != std::string::npos && slash > 0) parent = FindLocked(host_dir.substr(0, slash));
  }
  // Links are followed as a call down the whole path follows them.
  constexpr int FLAGS = O_PATH | O_DIRECTORY | O_CLOEXEC;
  const std::string path(host_dir);
  const int fd =
      parent ? openat(parent->fd(), path.c_str() + slash + 1, FLAGS) : open(path.c_str(), FLAGS);
  if (fd < 0) return nullptr;
  auto directory = std::make_shared<const Directory>(fd);
  std::lock_guard<std::mutex> lock(mutex_);
  HoldLocked(host_dir, directory);
  return directory;
}

void PosixHeldDirectories::Hold(const std::string& host_dir, int fd) {
  auto directory = std::make_shared<const Directory>(fd);
  std::lock_guard<std::mutex> lock(mutex_);
  HoldLocked(host_dir, std::move(directory));
}

void PosixHeldDirectories::ForgetAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  held_.clear();
  missed_ = {};
}

PosixHeldDirectories::Handle PosixHeldDirectories::FindLocked(std::string_view host_dir) {
  // A walk asks for its source's and its destination's folder in turn: those two are
  // compared first, which spares hashing the path.
  for (const size_t recent : recent_) {
    if (recent < held_.size() && held_[recent].host_dir == host_dir) {
      held_[recent].last_used = ++clock_;
      return held_[recent].directory;
    }
  }
  const size_t hash = std::hash<std::string_view>{}(host_dir);
  for (size_t index = 0; index < held_.size(); ++index) {
    Held& held = held_[index];
    if (held.hash == hash && held.host_dir == host_dir) {
      held.last_used = ++clock_;
      recent_[next_recent_] = index;
      next_recent_ = (next_recent_ + 1) % recent_.size();
      return held.directory;
    }
  }
  return nullptr;
}

void PosixHeldDirectories::HoldLocked(std::string_view host_dir, Handle directory) {
  const size_t hash = std::hash<std::string_view>{}(host_dir);
  auto same = std::find_if(held_.begin(), held_.end(), [&](const Held& held) {
    return held.hash == hash && held.host_dir == host_dir;
  });
  if (same == held_.end() && held_.size() >= capacity_) {
    same = std::min_element(held_.begin(), held_.end(),
                            [](const Held& a, const Held& b) { return a.last_used < b.last_used; });
  }
  if (same == held_.end()) {
    held_.push_back({std::string(host_dir), hash, std::move(directory), ++clock_});
  } else {
    *same = {std::string(host_dir), hash, std::move(directory), ++clock_};
  }
}

}  // namespace setup
