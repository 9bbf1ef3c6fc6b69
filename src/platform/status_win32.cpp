#include "platform/status_win32.h"

#include <windows.h>

#include "platform/system_error_text.h"

namespace setup {

namespace {

// The system's own text, without the line end; the built-in table when it has none.
std::string MessageText(DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (length > 0 && buffer != nullptr) {
    int needed = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), nullptr, 0,
                                     nullptr, nullptr);
    text.resize(static_cast<size_t>(needed > 0 ? needed : 0));
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(length), text.data(), needed, nullptr,
                        nullptr);
  }
  if (buffer != nullptr) LocalFree(buffer);
  if (text.empty()) text = SystemErrorText(static_cast<WinError>(error));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace

Status Win32Error(const std::string& path, unsigned long error) {
  const WinError win_error =
      error == ERROR_SUCCESS ? WinError::GenFailure : static_cast<WinError>(error);
  return Status::Error(win_error, path, MessageText(error), static_cast<int>(error));
}

Status LastWin32Error(const std::string& path) { return Win32Error(path, GetLastError()); }

}  // namespace setup
