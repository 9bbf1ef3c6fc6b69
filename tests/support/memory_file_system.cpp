#include "memory_file_system.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <stdexcept>
#include <string_view>

#include "platform/wildcard_match.h"
#include "platform/windows_name_rules.h"
#include "platform/windows_path.h"
#include "support/memory_files.h"

namespace setup::testing {

namespace {

constexpr FileTime CLOCK_START = FILETIME_UNIX_EPOCH + 978307200ULL * 10000000ULL;
constexpr FileTime CLOCK_STEP = 10000000;
constexpr uint32_t KEPT_ATTRIBUTES =
    ATTRIB_READONLY | ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE;

int DriveIndex(char letter) {
  const int upper = std::toupper(static_cast<unsigned char>(letter));
  return upper >= 'A' && upper <= 'Z' ? upper - 'A' : -1;
}

int DriveIndexOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') throw std::invalid_argument("not a full path: " + path);
  return DriveIndex(path[0]);
}

Status Missing(bool parent_exists, const std::string& path) {
  if (parent_exists) return Status::Error(WinError::FileNotFound, path, "not found");
  return Status::Error(WinError::PathNotFound, path, "the path does not exist");
}

}  // namespace

struct MemoryFileSystem::Node {
  bool directory = false;
  bool link = false;
  std::string contents;     // a link's target
  uint32_t attributes = 0;  // read-only, hidden, system and archive only
  FileTime creation = 0;
  FileTime last_access = 0;
  FileTime last_write = 0;
  uint64_t index = 0;
  std::map<std::string, std::unique_ptr<Node>> children;  // by name as held, byte order
};

struct MemoryFileSystem::Drive {
  DriveType type = DriveType::Fixed;
  DiskSpace space{1ULL << 30, 2ULL << 30};
  std::unique_ptr<Node> root;  // nullptr without a medium
};

struct MemoryFileSystem::Resolved {
  std::string full_path;
  char letter = 0;
  std::vector<std::string> names;  // as held where they exist, then as written
  Node* parent = nullptr;          // the directory holding the last name; nullptr for a root
  Node* node = nullptr;            // the entry, when it exists
  bool parent_exists = false;
  bool through_link = false;  // a directory on the way is a link
  std::string written_name;   // the last name as written ("" for a root)

  const std::string& name() const { return names.back(); }
  bool is_root() const { return names.empty(); }
};

// Writes into memory and puts the contents under the name only on Commit.
class MemoryFileSystem::Writer : public WritableFile {
 public:
  Writer(MemoryFileSystem& fs, std::string full_path, std::string path)
      : fs_(fs), full_path_(std::move(full_path)), path_(std::move(path)) {}

  Status Write(const char* data, size_t n) override {
    if (done_) return Status::Error(WinError::InvalidParameter, path_, "already committed");
    contents_.append(data, n);
    return Status::Ok();
  }

  Status Commit() override {
    if (done_) return Status::Error(WinError::InvalidParameter, path_, "already committed");
    done_ = true;
    std::lock_guard<std::mutex> lock(fs_.mutex_);
    auto target = fs_.Resolve(full_path_);
    if (!target.ok()) return target.status();
    if (!target->parent_exists) return Missing(false, path_);
    if (target->node != nullptr && target->node->directory) {
      return Status::Error(WinError::AccessDenied, path_, "is a directory");
    }
    auto node = fs_.NewNode(false);
    node->contents = std::move(contents_);
    fs_.Place(*target, std::move(node));
    return Status::Ok();
  }

 private:
  MemoryFileSystem& fs_;
  std::string full_path_;
  std::string path_;
  std::string contents_;
  bool done_ = false;
};

MemoryFileSystem::MemoryFileSystem(const std::string& current_directory, CodePage code_page)
    : code_page_(std::move(code_page)),
      current_directory_(WithoutTrailingSeparator(
          FullWindowsPath(current_directory, "C:\\", code_page_), code_page_)),
      clock_(CLOCK_START) {}

MemoryFileSystem::~MemoryFileSystem() = default;

std::unique_ptr<MemoryFileSystem::Node> MemoryFileSystem::NewNode(bool directory) {
  auto node = std::make_unique<Node>();
  node->directory = directory;
  node->creation = node->last_access = node->last_write = clock_;
  node->index = next_index_++;
  clock_ += CLOCK_STEP;
  return node;
}

void MemoryFileSystem::AddDrive(char letter, DriveType type) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int index = DriveIndex(letter);
  if (index < 0) throw std::invalid_argument("not a drive letter");
  drives_[index] = std::make_unique<Drive>();
  drives_[index]->type = type;
  drives_[index]->root = NewNode(true);
}

void MemoryFileSystem::RemoveMedium(char letter) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int index = DriveIndex(letter);
  if (index < 0 || !drives_[index]) throw std::invalid_argument("unmapped drive");
  drives_[index]->root.reset();
}

MemoryFileSystem::Node* MemoryFileSystem::FindExact(const std::string& path) const {
  const int index = DriveIndexOf(path);
  if (index < 0 || !drives_[index]) return nullptr;
  Node* node = drives_[index]->root.get();
  for (const std::string& name : PathComponents(path, code_page_)) {
    if (node == nullptr || !node->directory) return nullptr;
    auto found = node->children.find(name);
    node = found == node->children.end() ? nullptr : found->second.get();
  }
  return node;
}

MemoryFileSystem::Node& MemoryFileSystem::MakeParents(const std::string& path,
                                                      std::string& last_name) {
  const int index = DriveIndexOf(path);
  if (index < 0 || !drives_[index] || !drives_[index]->root) {
    throw std::invalid_argument("no medium for " + path);
  }
  std::vector<std::string> names = PathComponents(path, code_page_);
  if (names.empty()) throw std::invalid_argument("a drive root: " + path);
  last_name = names.back();
  names.pop_back();
  Node* node = drives_[index]->root.get();
  for (const std::string& name : names) {
    std::unique_ptr<Node>& child = node->children[name];
    if (!child) child = NewNode(true);
    if (!child->directory) throw std::invalid_argument("a file on the way: " + path);
    node = child.get();
  }
  return *node;
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& contents) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string name;
  Node& parent = MakeParents(path, name);
  auto node = NewNode(false);
  node->contents = contents;
  parent.children[name] = std::move(node);
}

void MemoryFileSystem::AddDirectory(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (PathComponents(path, code_page_).empty()) return;
  std::string name;
  Node& parent = MakeParents(path, name);
  std::unique_ptr<Node>& child = parent.children[name];
  if (!child) child = NewNode(true);
  if (!child->directory) throw std::invalid_argument("a file: " + path);
}

void MemoryFileSystem::AddLink(const std::string& path, const std::string& target) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::string name;
  Node& parent = MakeParents(path, name);
  auto node = NewNode(false);
  node->link = true;
  node->contents = target;
  parent.children[name] = std::move(node);
}

std::optional<std::string> MemoryFileSystem::Contents(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Node* node = FindExact(path);
  if (node == nullptr || node->directory) return std::nullopt;
  return node->contents;
}

bool MemoryFileSystem::Contains(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindExact(path) != nullptr;
}

namespace {

// The parent's full path and the last name of a full path ("C:\a\b" -> "C:\a", "b").
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const size_t split = path.find_last_of("\\/");
  if (split == std::string::npos || split < 2) throw std::invalid_argument("no name: " + path);
  return {path.substr(0, std::max<size_t>(split, 3)), path.substr(split + 1)};
}

}  // namespace

void MemoryFileSystem::Remove(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto [parent_path, name] = SplitLast(path);
  Node* parent = FindExact(parent_path);
  if (parent != nullptr && parent->directory) parent->children.erase(name);
}

void MemoryFileSystem::Rename(const std::string& from, const std::string& to) {
  std::lock_guard<std::mutex> lock(mutex_);
  const auto [from_parent_path, from_name] = SplitLast(from);
  const auto [to_parent_path, to_name] = SplitLast(to);
  Node* from_parent = FindExact(from_parent_path);
  Node* to_parent = FindExact(to_parent_path);
  if (from_parent == nullptr || to_parent == nullptr || !to_parent->directory ||
      !from_parent->children.count(from_name) || to_parent->children.count(to_name)) {
    throw std::invalid_argument("cannot rename " + from + " to " + to);
  }
  auto node = std::move(from_parent->children[from_name]);
  from_parent->children.erase(from_name);
  to_parent->children[to_name] = std::move(node);
}

Result<MemoryFileSystem::Resolved> MemoryFileSystem::Resolve(const std::string& path) const {
  Resolved resolved;
  resolved.full_path = FullWindowsPath(path, current_directory_, code_page_);
  const std::string& full = resolved.full_path;
  if (full.size() < 3 || full[1] != ':') {
    return Status::Error(WinError::PathNotFound, path, "network paths are not available");
  }
  const int index = DriveIndex(full[0]);
  if (index < 0 || !drives_[index]) {
    return Status::Error(WinError::PathNotFound, path, "no such drive");
  }
  for (const std::string& name : PathComponents(full, code_page_)) {
    if (IsRefusedName(StoredName(name), code_page_)) {
      return Status::Error(WinError::InvalidName, path, "invalid file name");
    }
  }
  resolved.full_path = WithStoredNames(resolved.full_path, code_page_);
  if (!drives_[index]->root) {
    return Status::Error(WinError::NotReady, path, "the drive is not ready");
  }
  resolved.letter = full[0];
  const std::vector<std::string> written = PathComponents(full, code_page_);
  resolved.names = written;
  Node* directory = drives_[index]->root.get();
  resolved.node = directory;
  resolved.parent_exists = true;
  for (size_t i = 0; i < resolved.names.size(); ++i) {
    std::string& name = resolved.names[i];
    Node* found = nullptr;
    if (directory != nullptr) {
      auto exact = directory->children.find(name);
      if (exact != directory->children.end()) {
        found = exact->second.get();
      } else {
        // The first in byte order of the names equal without regard to case.
        for (auto& [held, child] : directory->children) {
          if (code_page_.EqualsNoCase(held, name)) {
            found = child.get();
            name = held;
            break;
          }
        }
      }
    }
    if (i + 1 == resolved.names.size()) {
      resolved.written_name = written[i];
      resolved.parent = directory;
      resolved.parent_exists = directory != nullptr;
      resolved.node = found;
    } else {
      if (found != nullptr && found->link) resolved.through_link = true;
      directory = found != nullptr && found->directory ? found : nullptr;
    }
  }
  return resolved;
}

Status MemoryFileSystem::RefuseWriteOn(const Resolved& resolved, const std::string& path) const {
  if (drives_[DriveIndex(resolved.letter)]->type != DriveType::CdRom) return Status::Ok();
  return Status::Error(WinError::WriteProtect, path, "the medium is write-protected");
}

FindData MemoryFileSystem::DataOf(const Node& node, const std::string& name, char letter) const {
  FindData data;
  data.name = name;
  data.attributes = node.attributes | (node.directory ? ATTRIB_DIRECTORY : 0) |
                    (node.link ? ATTRIB_REPARSE_POINT : 0);
  if (data.attributes == 0) data.attributes = ATTRIB_NORMAL;
  data.size = node.directory ? 0 : node.contents.size();
  data.creation_time = node.creation;
  data.last_access_time = node.last_access;
  data.last_write_time = node.last_write;
  data.volume_id = static_cast<uint64_t>(DriveIndex(letter) + 1);
  data.file_index = node.index;
  return data;
}

void MemoryFileSystem::Place(const Resolved& target, std::unique_ptr<Node> node) {
  target.parent->children[target.node != nullptr ? target.name() : target.written_name] =
      std::move(node);
}

Result<uint32_t> MemoryFileSystem::GetAttributes(const std::string& path) {
  auto info = GetFileInfo(path);
  if (!info.ok()) return info.status();
  return info->attributes;
}

Result<FindData> MemoryFileSystem::GetFileInfo(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->node == nullptr) return Missing(resolved->parent_exists, path);
  return DataOf(*resolved->node, resolved->is_root() ? "" : resolved->name(), resolved->letter);
}

Status MemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  Node* node = resolved->node;
  if (node == nullptr) return Missing(resolved->parent_exists, path);
  // A directory's read-only flag never kept anyone from writing into it.
  node->attributes = attributes & KEPT_ATTRIBUTES & (node->directory ? ~ATTRIB_READONLY : ~0u);
  return Status::Ok();
}

Status MemoryFileSystem::SetFileTimes(const std::string& path, FileTime creation,
                                      FileTime last_access, FileTime last_write) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  Node* node = resolved->node;
  if (node == nullptr) return Missing(resolved->parent_exists, path);
  if (creation != 0) node->creation = creation;
  if (last_access != 0) node->last_access = last_access;
  if (last_write != 0) node->last_write = last_write;
  return Status::Ok();
}

Result<std::vector<FindData>> MemoryFileSystem::FindFiles(const std::string& pattern) {
  const FindPattern split = SplitFindPattern(pattern, code_page_);
  const std::string& directory = split.directory;
  const std::string& name_pattern = split.name_pattern;
  if (name_pattern.empty()) return Status::Error(WinError::FileNotFound, pattern, "no file name");
  if (!HasWildcard(name_pattern)) {
    auto info = GetFileInfo(pattern);
    if (!info.ok()) return info.status();
    return std::vector<FindData>{std::move(*info)};
  }
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(directory);
  if (!resolved.ok()) return resolved.status();
  const Node* dir = resolved->node;
  if (dir == nullptr || !dir->directory) {
    return Status::Error(WinError::PathNotFound, pattern, "the directory does not exist");
  }
  std::vector<FindData> found;
  // A drive root has no "." or "..": its parent is not part of the drive.
  if (!resolved->is_root()) {
    const std::pair<const char*, const Node*> dots[] = {{".", dir}, {"..", resolved->parent}};
    for (const auto& [name, node] : dots) {
      if (MatchesWildcard(name_pattern, name, code_page_)) {
        found.push_back(DataOf(*node, name, resolved->letter));
      }
    }
  }
  const size_t dot_count = found.size();
  for (const auto& [name, node] : dir->children) {
    if (MatchesWildcard(name_pattern, name, code_page_)) {
      found.push_back(DataOf(*node, name, resolved->letter));
    }
  }
  // Listed as the POSIX implementation lists: by name without regard to case, ties in byte
  // order (which the children already are, and a stable sort keeps).
  std::stable_sort(found.begin() + static_cast<std::ptrdiff_t>(dot_count), found.end(),
                   [this](const FindData& a, const FindData& b) {
                     const std::string x = code_page_.Upper(a.name);
                     const std::string y = code_page_.Upper(b.name);
                     return std::lexicographical_compare(
                         x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
                           return static_cast<uint8_t>(p) < static_cast<uint8_t>(q);
                         });
                   });
  if (found.empty()) return Status::Error(WinError::FileNotFound, pattern, "no matching file");
  return found;
}

Status MemoryFileSystem::MakeDirectory(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  if (resolved->node != nullptr) {
    return Status::Error(WinError::AlreadyExists, path, "already exists");
  }
  if (!resolved->parent_exists) return Missing(false, path);
  Place(*resolved, NewNode(true));
  return Status::Ok();
}

Status MemoryFileSystem::CopyFileTo(const std::string& from, const std::string& to,
                                    bool fail_if_exists) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto source = Resolve(from);
  if (!source.ok()) return source.status();
  if (source->node == nullptr) return Missing(source->parent_exists, from);
  auto target = Resolve(to);
  if (!target.ok()) return target.status();
  if (Status refused = RefuseWriteOn(*target, to); !refused.ok()) return refused;
  if (!target->parent_exists) return Missing(false, to);
  if (const Node* existing = target->node) {
    if (fail_if_exists) return Status::Error(WinError::FileExists, to, "the file exists");
    if (existing->directory) return Status::Error(WinError::AccessDenied, to, "is a directory");
    if (existing->attributes & ATTRIB_READONLY) {
      return Status::Error(WinError::AccessDenied, to, "the file is read-only");
    }
  }
  const Node& original = *source->node;
  if (original.directory) return Status::Error(WinError::AccessDenied, from, "is a directory");
  auto copy = NewNode(false);
  copy->contents = original.contents;
  copy->attributes = original.attributes;
  copy->last_access = original.last_access;
  copy->last_write = original.last_write;
  Place(*target, std::move(copy));
  return Status::Ok();
}

Status MemoryFileSystem::RemoveFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  const Node* node = resolved->node;
  if (node == nullptr) return Missing(resolved->parent_exists, path);
  if (node->directory) return Status::Error(WinError::AccessDenied, path, "is a directory");
  if (node->attributes & ATTRIB_READONLY) {
    return Status::Error(WinError::AccessDenied, path, "the file is read-only");
  }
  resolved->parent->children.erase(resolved->name());
  return Status::Ok();
}

Result<FindData> MemoryFileSystem::GetEntryInfo(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->through_link) {
    return Status::Error(WinError::StoppedOnSymlink, path, "a symbolic link is on the way");
  }
  if (resolved->node == nullptr) return Missing(resolved->parent_exists, path);
  return DataOf(*resolved->node, resolved->is_root() ? "" : resolved->name(), resolved->letter);
}

Status MemoryFileSystem::RemoveEntry(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->through_link) {
    return Status::Error(WinError::StoppedOnSymlink, path, "a symbolic link is on the way");
  }
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  const Node* node = resolved->node;
  if (node == nullptr) return Missing(resolved->parent_exists, path);
  if (resolved->is_root()) {
    return Status::Error(WinError::AccessDenied, path, "a drive's root is never removed");
  }
  if (node->directory && !node->children.empty()) {
    return Status::Error(WinError::DirNotEmpty, path, "the directory is not empty");
  }
  resolved->parent->children.erase(resolved->name());
  return Status::Ok();
}

Status MemoryFileSystem::RenameFile(const std::string& from, const std::string& to) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto source = Resolve(from);
  if (!source.ok()) return source.status();
  if (source->node == nullptr) return Missing(source->parent_exists, from);
  if (source->is_root()) return Status::Error(WinError::AccessDenied, from, "a drive root");
  auto target = Resolve(to);
  if (!target.ok()) return target.status();
  if (Status refused = RefuseWriteOn(*source, from); !refused.ok()) return refused;
  if (Status refused = RefuseWriteOn(*target, to); !refused.ok()) return refused;
  if (!target->parent_exists) return Missing(false, to);
  // The same entry under another spelling is a change of case, which renames; anything else
  // that exists is never replaced.
  if (target->node != nullptr &&
      (target->node != source->node || target->name() == target->written_name)) {
    return Status::Error(WinError::AlreadyExists, to, "the destination exists");
  }
  // A directory cannot go below itself: it would be cut off from its drive.
  if (source->letter == target->letter && target->names.size() > source->names.size() &&
      std::equal(source->names.begin(), source->names.end(), target->names.begin())) {
    return Status::Error(WinError::InvalidParameter, from, "cannot move below itself");
  }
  auto node = std::move(source->parent->children[source->name()]);
  source->parent->children.erase(source->name());
  target->parent->children[target->written_name] = std::move(node);
  return Status::Ok();
}

Result<std::unique_ptr<ReadableFile>> MemoryFileSystem::OpenForRead(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  const Node* node = resolved->node;
  if (node == nullptr) return Missing(resolved->parent_exists, path);
  if (node->directory) return Status::Error(WinError::AccessDenied, path, "is a directory");
  return std::unique_ptr<ReadableFile>(std::make_unique<MemoryReadableFile>(node->contents));
}

Result<std::unique_ptr<WritableFile>> MemoryFileSystem::CreateForWrite(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (Status refused = RefuseWriteOn(*resolved, path); !refused.ok()) return refused;
  if (!resolved->parent_exists) return Missing(false, path);
  if (const Node* existing = resolved->node) {
    if (existing->directory) return Status::Error(WinError::AccessDenied, path, "is a directory");
    if (existing->attributes & ATTRIB_READONLY) {
      return Status::Error(WinError::AccessDenied, path, "the file is read-only");
    }
  }
  return std::unique_ptr<WritableFile>(
      std::make_unique<Writer>(*this, std::move(resolved->full_path), path));
}

std::string MemoryFileSystem::CurrentDirectory() {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_directory_;
}

Status MemoryFileSystem::ChangeDirectory(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  if (resolved->node == nullptr) return Missing(resolved->parent_exists, path);
  if (!resolved->node->directory)
    return Status::Error(WinError::Directory, path, "not a directory");
  current_directory_ = WithoutTrailingSeparator(resolved->full_path, code_page_);
  return Status::Ok();
}

std::string MemoryFileSystem::FullPathName(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return FullWindowsPath(path, current_directory_, code_page_);
}

uint32_t MemoryFileSystem::GetLogicalDrives() {
  std::lock_guard<std::mutex> lock(mutex_);
  uint32_t bits = 0;
  for (size_t i = 0; i < drives_.size(); ++i) {
    if (drives_[i]) bits |= 1u << i;
  }
  return bits;
}

DriveType MemoryFileSystem::DriveTypeOf(const std::string& root) {
  std::lock_guard<std::mutex> lock(mutex_);
  const char letter = root.empty() ? current_directory_[0] : DriveRootLetter(root);
  const int index = letter ? DriveIndex(letter) : -1;
  return index >= 0 && drives_[index] ? drives_[index]->type : DriveType::NoRootDir;
}

Result<DiskSpace> MemoryFileSystem::FreeSpaceOf(const std::string& root) {
  std::lock_guard<std::mutex> lock(mutex_);
  const char letter = root.empty() ? current_directory_[0] : DriveRootLetter(root);
  const int index = letter ? DriveIndex(letter) : -1;
  if (index < 0 || !drives_[index]) {
    return Status::Error(WinError::PathNotFound, root, "no such drive");
  }
  if (!drives_[index]->root)
    return Status::Error(WinError::NotReady, root, "the drive is not ready");
  return drives_[index]->space;
}

Result<std::string> MemoryFileSystem::ToHostPath(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto resolved = Resolve(path);
  if (!resolved.ok()) return resolved.status();
  std::string host = "/memory/";
  host += static_cast<char>(std::tolower(static_cast<unsigned char>(resolved->letter)));
  for (const std::string& name : resolved->names) host += "/" + code_page_.ToUtf8(name);
  return host;
}

}  // namespace setup::testing
