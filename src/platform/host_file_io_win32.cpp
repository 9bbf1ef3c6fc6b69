#include <windows.h>

#include <filesystem>
#include <system_error>

#include "platform/host_file_io.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"

namespace setup {

Result<std::string> ReadHostFile(const std::string& host_path, size_t max_bytes) {
  const std::wstring wide = WidenText(host_path, SystemAnsiCodePage());
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastWin32Error(host_path);
  std::string contents;
  char buffer[65536];
  Status status;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof(buffer), &got, nullptr)) {
      status = LastWin32Error(host_path);
      break;
    }
    if (got == 0) break;
    if (contents.size() + got > max_bytes) {
      status = Status::Error(WinError::InvalidParameter, host_path, "the file is too large");
      break;
    }
    contents.append(buffer, got);
  }
  CloseHandle(file);
  if (!status.ok()) return status;
  return contents;
}

Status WriteHostFileAtomically(const std::string& host_path, const std::string& contents) {
  const std::wstring wide = WidenText(host_path, SystemAnsiCodePage());
  const std::filesystem::path parent = std::filesystem::path(wide).parent_path();
  if (!parent.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(parent, ec);
    if (ec) return Win32Error(host_path, static_cast<unsigned long>(ec.value()));
  }
  const std::wstring temp = wide + L".new";
  HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastWin32Error(host_path);
  DWORD written = 0;
  const bool complete =
      contents.size() <= MAXDWORD &&
      WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
      written == contents.size() && FlushFileBuffers(file);
  const Status status = complete ? Status::Ok() : LastWin32Error(host_path);
  CloseHandle(file);
  if (status.ok() &&
      MoveFileExW(temp.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Status::Ok();
  }
  const Status failed = status.ok() ? LastWin32Error(host_path) : status;
  DeleteFileW(temp.c_str());
  return failed;
}

}  // namespace setup
