#include <windows.h>

#include "platform/host_paths.h"
#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"

namespace setup {

// Host paths are in the system's ANSI code page, as the command line gives them.

Result<std::string> RealHostPath(const std::string& host_path) {
  const std::wstring wide = WidenText(host_path, SystemAnsiCodePage());
  DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return LastWin32Error(host_path);
  std::wstring full(size, L'\0');
  size = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  full.resize(size);
  if (GetFileAttributesW(WithLongPathPrefix(full).c_str()) == INVALID_FILE_ATTRIBUTES) {
    return LastWin32Error(host_path);
  }
  return NarrowText(full, SystemAnsiCodePage());
}

Result<bool> IsHostDirectory(const std::string& host_path) {
  const std::wstring wide = WidenText(host_path, SystemAnsiCodePage());
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastWin32Error(host_path);
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string CurrentHostDirectory() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return ".";
  std::wstring dir(size, L'\0');
  dir.resize(GetCurrentDirectoryW(size, dir.data()));
  return NarrowText(dir, SystemAnsiCodePage());
}

}  // namespace setup
