#include "platform/drive_map.h"

#include <cctype>

namespace setup {

namespace {

std::optional<size_t> DriveIndex(char letter) {
  const int upper = std::toupper(static_cast<unsigned char>(letter));
  if (upper < 'A' || upper > 'Z') return std::nullopt;
  return static_cast<size_t>(upper - 'A');
}

// `host_dir` below `root`, as the rest after the root ("" for the root itself), or nullopt.
std::optional<std::string> Below(const std::string& root, const std::string& host_dir) {
  if (root == "/") return host_dir.size() > 1 ? host_dir.substr(1) : std::string();
  if (host_dir.compare(0, root.size(), root) != 0) return std::nullopt;
  if (host_dir.size() == root.size()) return std::string();
  if (host_dir[root.size()] != '/') return std::nullopt;
  return host_dir.substr(root.size() + 1);
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

void DriveMap::Map(char letter, std::string host_root, DriveType type) {
  auto index = DriveIndex(letter);
  if (!index) return;
  drives_[*index] = Drive{StripTrailingSlashes(std::move(host_root)), type};
}

const DriveMap::Drive* DriveMap::Find(char letter) const {
  auto index = DriveIndex(letter);
  if (!index || !drives_[*index]) return nullptr;
  return &*drives_[*index];
}

uint32_t DriveMap::LogicalDrives() const {
  uint32_t mask = 0;
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (drives_[i]) mask |= 1u << i;
  }
  return mask;
}

std::optional<std::string> DriveMap::MapStartDirectory(const std::string& host_dir,
                                                       const CodePage& code_page) {
  const std::string dir = StripTrailingSlashes(host_dir);
  std::optional<size_t> best;
  std::string best_rest;
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (!drives_[i]) continue;
    auto rest = Below(drives_[i]->host_root, dir);
    if (rest && (!best || drives_[i]->host_root.size() > drives_[*best]->host_root.size())) {
      best = i;
      best_rest = *rest;
    }
  }
  if (!best) {
    for (size_t i = 'D' - 'A'; i < drives_.size() && !best; ++i) {
      if (!drives_[i]) {
        drives_[i] = Drive{dir, DriveType::CdRom};
        best = i;
      }
    }
    if (!best) return std::nullopt;
  }
  std::string path = std::string(1, static_cast<char>('A' + *best)) + ":\\";
  for (char c : code_page.FromUtf8(best_rest)) path += c == '/' ? '\\' : c;
  return path;
}

std::optional<DriveType> ParseDriveType(const std::string& word) {
  std::string lower;
  for (char c : word) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower == "fixed") return DriveType::Fixed;
  if (lower == "removable") return DriveType::Removable;
  if (lower == "cdrom") return DriveType::CdRom;
  if (lower == "remote") return DriveType::Remote;
  if (lower == "ramdisk") return DriveType::RamDisk;
  return std::nullopt;
}

}  // namespace setup
