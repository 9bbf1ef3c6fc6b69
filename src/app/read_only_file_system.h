#pragma once

#include <string>

#include "platform/file_system_wrapper.h"

namespace setup {

// The target file system with every write refused (AccessDenied): for a run that must
// change nothing, whatever code it reuses.
class ReadOnlyFileSystem : public FileSystemWrapper {
 public:
  using FileSystemWrapper::FileSystemWrapper;

  Status SetAttributes(const std::string& path, uint32_t) override { return Refused(path); }
  Status SetFileTimes(const std::string& path, FileTime, FileTime, FileTime) override {
    return Refused(path);
  }
  Status MakeDirectory(const std::string& path) override { return Refused(path); }
  Status CopyFileTo(const std::string&, const std::string& to, bool) override {
    return Refused(to);
  }
  Status RemoveFile(const std::string& path) override { return Refused(path); }
  Status RenameFile(const std::string& from, const std::string&) override { return Refused(from); }
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override {
    return Refused(path);
  }

 private:
  static Status Refused(const std::string& path) {
    return Status::Error(WinError::AccessDenied, path, "nothing is written in this run");
  }
};

}  // namespace setup
