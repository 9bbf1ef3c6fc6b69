#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace setup::testing {

// The FileSystem contract kept in memory, for tests that need no host: drives with a type and
// free space, directories, and files with contents, attributes and times. It passes the same
// contract suite as the POSIX implementation, drive types included (a CD-ROM drive refuses
// every write with WriteProtect; a drive without its medium refuses everything with NotReady).
//
// Besides the contract it offers what happens behind the program's back: entries made, read,
// removed and renamed as spelt (no case matching; '\' or '/' between names), and a medium
// taken out. Names are held in the code page; the host path of drive X is "/memory/x". Times
// come from a clock that starts at 2001-01-01 and moves one second for each entry made, so
// every run sees the same times. Files open for writing must not outlive the file system.
class MemoryFileSystem : public FileSystem {
 public:
  explicit MemoryFileSystem(const std::string& current_directory = "C:\\",
                            CodePage code_page = CodePage());
  ~MemoryFileSystem() override;

  // Maps `letter` onto a new, empty medium; 1 GiB of 2 GiB is free.
  void AddDrive(char letter, DriveType type);
  // The drive stays mapped, but everything on it is gone and every access is NotReady.
  void RemoveMedium(char letter);

  // Full paths as spelt. Parent directories are made as needed; a file is replaced.
  void AddFile(const std::string& path, const std::string& contents);
  void AddDirectory(const std::string& path);
  // The contents of a file; nullopt for a directory or a missing entry.
  std::optional<std::string> Contents(const std::string& path) const;
  bool Contains(const std::string& path) const;
  // Removes an entry with everything below it; a missing one is no error.
  void Remove(const std::string& path);
  // Renames or moves an entry; the destination's parent must exist, the destination must not.
  void Rename(const std::string& from, const std::string& to);
  // A symbolic link at `path` to `target` (any text). It is never followed: a path through
  // it is missing, and only GetEntryInfo and RemoveEntry see the link itself.
  void AddLink(const std::string& path, const std::string& target);

  Result<uint32_t> GetAttributes(const std::string& path) override;
  Status SetAttributes(const std::string& path, uint32_t attributes) override;
  Result<FindData> GetFileInfo(const std::string& path) override;
  Status SetFileTimes(const std::string& path, FileTime creation, FileTime last_access,
                      FileTime last_write) override;
  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override;
  Status MakeDirectory(const std::string& path) override;
  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override;
  Status RemoveFile(const std::string& path) override;
  Status RenameFile(const std::string& from, const std::string& to) override;
  Result<FindData> GetEntryInfo(const std::string& path) override;
  Status RemoveEntry(const std::string& path) override;
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) override;
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override;
  std::string CurrentDirectory() override;
  Status ChangeDirectory(const std::string& path) override;
  std::string FullPathName(const std::string& path) override;
  uint32_t GetLogicalDrives() override;
  DriveType DriveTypeOf(const std::string& root) override;
  Result<DiskSpace> FreeSpaceOf(const std::string& root) override;
  Result<std::string> ToHostPath(const std::string& path) override;

 private:
  struct Node;
  struct Drive;
  struct Resolved;
  class Writer;

  // Where a Windows path leads, each name as stored (WithStoredNames) and matched without
  // regard to case (an exact match wins). Fails as the POSIX implementation does before touching an
  // entry: PathNotFound for a network path or an unmapped drive, InvalidName, NotReady without a
  // medium.
  Result<Resolved> Resolve(const std::string& path) const;
  // WriteProtect for a write to a path on a CD-ROM drive, else Ok.
  Status RefuseWriteOn(const Resolved& resolved, const std::string& path) const;
  // The entry an exactly spelt full path names, or nullptr.
  Node* FindExact(const std::string& path) const;
  // The directory holding the last name of an exactly spelt full path, made as needed.
  Node& MakeParents(const std::string& path, std::string& last_name);
  std::unique_ptr<Node> NewNode(bool directory);
  FindData DataOf(const Node& node, const std::string& name, char letter) const;
  // Puts `node` under the target's name: the existing entry's, else the name as written.
  void Place(const Resolved& target, std::unique_ptr<Node> node);

  mutable std::mutex mutex_;
  CodePage code_page_;
  std::string current_directory_;
  std::array<std::unique_ptr<Drive>, 26> drives_;
  FileTime clock_;
  uint64_t next_index_ = 1;
};

}  // namespace setup::testing
