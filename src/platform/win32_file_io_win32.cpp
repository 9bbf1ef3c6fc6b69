#include <windows.h>

#include <atomic>

#include "platform/status_win32.h"
#include "platform/win32_file_system.h"

namespace setup {

namespace {

// A name beside `host_path` that no other writer of this process or another one picks.
std::wstring TemporaryBeside(const std::wstring& host_path) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = host_path.rfind(L'\\');
  const std::wstring dir = slash == std::wstring::npos ? L"" : host_path.substr(0, slash + 1);
  return dir + L"~setup" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(counter.fetch_add(1)) + L".tmp";
}

// A temporary that a copy left read-only must still go.
void RemoveTemporary(const std::wstring& temp) {
  SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(temp.c_str());
}

// `host_path` with its last name spelt as an existing entry spells it, so that replacing a
// file keeps its name rather than leaving it in the case the caller wrote.
std::wstring AsExistingName(const std::wstring& host_path) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(host_path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return host_path;
  FindClose(search);
  const size_t slash = host_path.rfind(L'\\');
  return host_path.substr(0, slash + 1) + found.cFileName;
}

// An existing destination that is read-only cannot be replaced, as the original copy refuses.
Status CheckReplaceable(const std::wstring& host_path, const std::string& path) {
  const DWORD attributes = GetFileAttributesW(host_path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Status::Ok();
  if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    return Win32Error(path, ERROR_ACCESS_DENIED);
  }
  return Status::Ok();
}

class Win32ReadableFile : public ReadableFile {
 public:
  Win32ReadableFile(HANDLE handle, uint64_t size, std::string path)
      : handle_(handle), size_(size), path_(std::move(path)) {}
  ~Win32ReadableFile() override { CloseHandle(handle_); }
  Win32ReadableFile(const Win32ReadableFile&) = delete;
  Win32ReadableFile& operator=(const Win32ReadableFile&) = delete;

  Result<size_t> Read(char* buffer, size_t n) override {
    const DWORD wanted = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    DWORD got = 0;
    if (!ReadFile(handle_, buffer, wanted, &got, nullptr)) return LastWin32Error(path_);
    return static_cast<size_t>(got);
  }
  uint64_t Size() const override { return size_; }

 private:
  HANDLE handle_;
  uint64_t size_;
  std::string path_;
};

class Win32WritableFile : public WritableFile {
 public:
  Win32WritableFile(HANDLE handle, std::wstring temp, std::wstring destination, std::string path)
      : handle_(handle),
        temp_(std::move(temp)),
        destination_(std::move(destination)),
        path_(std::move(path)) {}
  ~Win32WritableFile() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    if (!committed_) RemoveTemporary(temp_);
  }
  Win32WritableFile(const Win32WritableFile&) = delete;
  Win32WritableFile& operator=(const Win32WritableFile&) = delete;

  Status Write(const char* data, size_t n) override {
    if (handle_ == INVALID_HANDLE_VALUE) return Win32Error(path_, ERROR_INVALID_PARAMETER);
    while (n > 0) {
      const DWORD chunk = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
      DWORD written = 0;
      if (!WriteFile(handle_, data, chunk, &written, nullptr)) return LastWin32Error(path_);
      data += written;
      n -= written;
    }
    return Status::Ok();
  }

  Status Commit() override {
    if (handle_ == INVALID_HANDLE_VALUE) return Win32Error(path_, ERROR_INVALID_PARAMETER);
    const bool flushed = FlushFileBuffers(handle_);
    const DWORD flush_error = GetLastError();
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!flushed) return Win32Error(path_, flush_error);
    Status replaceable = CheckReplaceable(destination_, path_);
    if (!replaceable.ok()) return replaceable;
    if (!MoveFileExW(temp_.c_str(), AsExistingName(destination_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastWin32Error(path_);
    }
    committed_ = true;
    return Status::Ok();
  }

 private:
  HANDLE handle_;
  std::wstring temp_;
  std::wstring destination_;
  std::string path_;
  bool committed_ = false;
};

}  // namespace

Result<std::unique_ptr<ReadableFile>> Win32FileSystem::OpenForRead(const std::string& path) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  HANDLE handle = CreateFileW(host->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return HostError(path, GetLastError());
  LARGE_INTEGER size{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size)) {
    CloseHandle(handle);
    return Win32Error(path, ERROR_ACCESS_DENIED);
  }
  return std::unique_ptr<ReadableFile>(
      std::make_unique<Win32ReadableFile>(handle, static_cast<uint64_t>(size.QuadPart), path));
}

Result<std::unique_ptr<WritableFile>> Win32FileSystem::CreateForWrite(const std::string& path) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  Status replaceable = CheckReplaceable(*host, path);
  if (!replaceable.ok()) return replaceable;
  std::wstring temp = TemporaryBeside(*host);
  HANDLE handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return HostError(path, GetLastError());
  return std::unique_ptr<WritableFile>(
      std::make_unique<Win32WritableFile>(handle, std::move(temp), *host, path));
}

// The system's copy brings the attributes and times along; it writes a temporary beside the
// destination, which replaces the destination only when complete.
Status Win32FileSystem::CopyFileTo(const std::string& from, const std::string& to,
                                   bool fail_if_exists) {
  auto host_from = HostPathW(from);
  if (!host_from.ok()) return host_from.status();
  auto host_to = WritableHostPathW(to);
  if (!host_to.ok()) return host_to.status();
  const DWORD source = GetFileAttributesW(host_from->c_str());
  if (source == INVALID_FILE_ATTRIBUTES) return HostError(from, GetLastError());
  if (source & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
    return Win32Error(from, ERROR_ACCESS_DENIED);
  }
  if (fail_if_exists && GetFileAttributesW(host_to->c_str()) != INVALID_FILE_ATTRIBUTES) {
    return Win32Error(to, ERROR_FILE_EXISTS);
  }
  Status replaceable = CheckReplaceable(*host_to, to);
  if (!replaceable.ok()) return replaceable;
  const std::wstring temp = TemporaryBeside(*host_to);
  if (!CopyFileW(host_from->c_str(), temp.c_str(), TRUE)) {
    const Status status = HostError(to, GetLastError());
    RemoveTemporary(temp);
    return status;
  }
  const DWORD replace = fail_if_exists ? 0 : MOVEFILE_REPLACE_EXISTING;
  if (!MoveFileExW(temp.c_str(), AsExistingName(*host_to).c_str(),
                   replace | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    RemoveTemporary(temp);
    return HostError(to, error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error);
  }
  return Status::Ok();
}

}  // namespace setup
