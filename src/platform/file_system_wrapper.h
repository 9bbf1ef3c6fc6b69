#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace setup {

// Forwards every call to a target file system, so that a test derives from it and overrides
// only the call it wants to fail (a full disk, a medium that is gone). The target must
// outlive the wrapper.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem* target) : target_(target) {}

  FileSystem* target() const { return target_; }

  Result<uint32_t> GetFileAttributes(const std::string& path) override {
    return target_->GetFileAttributes(path);
  }
  Status SetFileAttributes(const std::string& path, uint32_t attributes) override {
    return target_->SetFileAttributes(path, attributes);
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
  Status CreateDirectory(const std::string& path) override {
    return target_->CreateDirectory(path);
  }
  Status CopyFile(const std::string& from, const std::string& to, bool fail_if_exists) override {
    return target_->CopyFile(from, to, fail_if_exists);
  }
  Status DeleteFile(const std::string& path) override { return target_->DeleteFile(path); }
  Status MoveFile(const std::string& from, const std::string& to) override {
    return target_->MoveFile(from, to);
  }
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) override {
    return target_->OpenForRead(path);
  }
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override {
    return target_->CreateForWrite(path);
  }
  std::string GetCurrentDirectory() override { return target_->GetCurrentDirectory(); }
  Status SetCurrentDirectory(const std::string& path) override {
    return target_->SetCurrentDirectory(path);
  }
  std::string GetFullPathName(const std::string& path) override {
    return target_->GetFullPathName(path);
  }
  uint32_t GetLogicalDrives() override { return target_->GetLogicalDrives(); }
  DriveType GetDriveType(const std::string& root) override { return target_->GetDriveType(root); }
  Result<DiskSpace> GetDiskFreeSpace(const std::string& root) override {
    return target_->GetDiskFreeSpace(root);
  }
  Result<std::string> ToHostPath(const std::string& path) override {
    return target_->ToHostPath(path);
  }

 private:
  FileSystem* target_;
};

}  // namespace setup
