#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace setup {

// Windows error codes, the vocabulary in which the layers above reason about failures
// (FileExists, for one, tells "file not found" from every other failure).
enum class WinError : uint32_t {
  Success = 0,
  FileNotFound = 2,
  PathNotFound = 3,
  AccessDenied = 5,
  NotEnoughMemory = 8,
  InvalidData = 13,
  InvalidDrive = 15,
  NotSameDevice = 17,
  WriteProtect = 19,
  NotReady = 21,
  GenFailure = 31,
  SharingViolation = 32,
  HandleEof = 38,
  HandleDiskFull = 39,
  NotSupported = 50,
  FileExists = 80,
  InvalidParameter = 87,
  DiskFull = 112,
  InvalidName = 123,
  DirNotEmpty = 145,
  StoppedOnSymlink = 681,
  AlreadyExists = 183,
  BadExeFormat = 193,
  FilenameExcedRange = 206,
  Directory = 267,
  CantResolveFilename = 1921,
};

// The outcome of a platform operation: success, or a Windows error code together with the
// host errno (0 when none), the path concerned and a short description.
class Status {
 public:
  Status() = default;
  static Status Ok() { return Status(); }
  static Status Error(WinError win_error, std::string path, std::string message, int os_errno = 0) {
    Status s;
    s.win_error_ = win_error == WinError::Success ? WinError::GenFailure : win_error;
    s.path_ = std::move(path);
    s.message_ = std::move(message);
    s.os_errno_ = os_errno;
    return s;
  }

  bool ok() const { return win_error_ == WinError::Success; }
  WinError win_error() const { return win_error_; }
  int os_errno() const { return os_errno_; }
  const std::string& path() const { return path_; }
  const std::string& message() const { return message_; }
  // "'path': message", or "OK".
  std::string ToString() const;

 private:
  WinError win_error_ = WinError::Success;
  int os_errno_ = 0;
  std::string path_;
  std::string message_;
};

// A value or the Status that explains why there is none.
template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)) {}          // NOLINT: implicit by design
  Result(Status status) : status_(std::move(status)) {}  // NOLINT: implicit by design

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }

 private:
  Status status_;
  std::optional<T> value_;
};

}  // namespace setup
