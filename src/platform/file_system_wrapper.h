#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace setup {

// Forwards every call to a target file system, so that a test derives from it and overrides
// only the call it wants to fail (a full disk, a medium that is gone). The target must
// outlive the wrapper. CopyNewFile, CopyPlainFile, FindFilesWithoutDots and MakeNewDirectory
// are not forwarded: they reach the target through CopyFileTo, SetAttributes, FindFiles and
// MakeDirectory, as overridden.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem* target) : target_(target) {}

  FileSystem* target() const { return target_; }

  Result<uint32_t> GetAttributes(const std::string& path) override {
    return target_->GetAttributes(path);
  }
  Status SetAttributes(const std::string& path, uint32_t attributes) override {
    return target_->SetAttributes(path, attributes);
  }
  Result<FindData> GetFileInfo(const std::string& path) override {
    return target_->GetFileInfo(path);
  }
  Status SetFileTimes(const std::string& path, FileTime creation, FileTime last_access,
                      FileTime last_write) override {
    return target_->SetFileTimes(path, creation, last_access, last_write);
  }
  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override {
    return target_->FindFiles(pattern);
  }
  Status MakeDirectory(const std::string& path) override { return target_->MakeDirectory(path); }
  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override {
    return target_->CopyFileTo(from, to, fail_if_exists);
  }
  Status RemoveFile(const std::string& path) override { return target_->RemoveFile(path); }
  Status RenameFile(const std::string& from, const std::string& to) override {
    return target_->RenameFile(from, to);
  }
  Result<FindData> GetEntryInfo(const std::string& path) override {
    return target_->GetEntryInfo(path);
  }
  Status RemoveEntry(const std::string& path) override { return target_->RemoveEntry(path); }
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) override {
    return target_->OpenForRead(path);
  }
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override {
    return target_->CreateForWrite(path);
  }
  std::string CurrentDirectory() override { return target_->CurrentDirectory(); }
  Status ChangeDirectory(const std::string& path) override {
    return target_->ChangeDirectory(path);
  }
  std::string FullPathName(const std::string& path) override { return target_->FullPathName(path); }
  uint32_t GetLogicalDrives() override { return target_->GetLogicalDrives(); }
  DriveType DriveTypeOf(const std::string& root) override { return target_->DriveTypeOf(root); }
  Result<DiskSpace> FreeSpaceOf(const std::string& root) override {
    return target_->FreeSpaceOf(root);
  }
  Result<std::string> ToHostPath(const std::string& path) override {
    return target_->ToHostPath(path);
  }

 private:
  FileSystem* target_;
};

}  // namespace setup
