#include <windows.h>

#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_file_system.h"

namespace setup {

namespace {

// A symbolic link or a junction: other reparse points (placeholders of files kept online,
// deduplicated files) are the files themselves.
bool IsLink(const WIN32_FIND_DATAW& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
         (entry.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
          entry.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

// The directory entry of `host_path` itself, never what a link there points at.
bool FindEntry(const std::wstring& host_path, WIN32_FIND_DATAW& entry) {
  HANDLE search = FindFirstFileW(host_path.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

FileTime ToFileTime(const FILETIME& time) {
  return static_cast<FileTime>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

Status StoppedOnLink(const std::string& path) {
  return Status::Error(WinError::StoppedOnSymlink, path, "a symbolic link is on the way");
}

}  // namespace

Result<std::wstring> Win32FileSystem::LinkFreeHostPathW(const std::string& path, bool& is_root) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  const std::string full = FullPathName(path);
  auto root = HostPathW(full.substr(0, FirstNameOffset(full, code_page_)));
  if (!root.ok()) return root.status();
  std::wstring walked = *root;
  if (walked.back() != L'\\') walked += L'\\';
  is_root = host->size() <= walked.size();
  if (is_root) return host;
  // Each directory on the way, from the root down; the last name is the caller's.
  for (size_t end = host->find(L'\\', walked.size()); end != std::wstring::npos;
       end = host->find(L'\\', end + 1)) {
    const std::wstring directory = host->substr(0, end);
    WIN32_FIND_DATAW entry{};
    if (!FindEntry(directory, entry)) {
      const DWORD error = GetLastError();
      return HostError(path, error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error);
    }
    if (IsLink(entry)) return StoppedOnLink(path);
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return Win32Error(path, ERROR_PATH_NOT_FOUND);
    }
  }
  return host;
}

Result<FindData> Win32FileSystem::GetEntryInfo(const std::string& path) {
  bool is_root = false;
  auto host = LinkFreeHostPathW(path, is_root);
  if (!host.ok()) return host.status();
  if (is_root) return GetFileInfo(path);
  WIN32_FIND_DATAW entry{};
  if (!FindEntry(*host, entry)) return HostError(path, GetLastError());
  FindData data;
  data.name = NarrowText(entry.cFileName, static_cast<unsigned>(code_page_.number()));
  const bool link = IsLink(entry);
  const DWORD known = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                      FILE_ATTRIBUTE_ARCHIVE | (link ? 0 : FILE_ATTRIBUTE_DIRECTORY);
  data.attributes = entry.dwFileAttributes & known;
  if (link) data.attributes |= ATTRIB_REPARSE_POINT;
  if (data.attributes == 0) data.attributes = ATTRIB_NORMAL;
  data.size = static_cast<uint64_t>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
  data.creation_time = ToFileTime(entry.ftCreationTime);
  data.last_access_time = ToFileTime(entry.ftLastAccessTime);
  data.last_write_time = ToFileTime(entry.ftLastWriteTime);
  // A link's identity would be its target's: it has none of its own here.
  if (!link) FillIdentity(*host, data);
  return data;
}

Status Win32FileSystem::RemoveEntry(const std::string& path) {
  auto writable = WritableHostPathW(path);
  if (!writable.ok()) return writable.status();
  bool is_root = false;
  auto host = LinkFreeHostPathW(path, is_root);
  if (!host.ok()) return host.status();
  if (is_root)
    return Status::Error(WinError::AccessDenied, path, "a drive's root is never removed");
  WIN32_FIND_DATAW entry{};
  if (!FindEntry(*host, entry)) return HostError(path, GetLastError());
  // A link to a directory is a directory entry of its own: removing it leaves the target.
  if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    if (RemoveDirectoryW(host->c_str())) return Status::Ok();
    const DWORD error = GetLastError();
    if (error == ERROR_DIR_NOT_EMPTY) {
      return Status::Error(WinError::DirNotEmpty, path, "the directory is not empty");
    }
    return Win32Error(path, error);
  }
  const bool read_only = entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY;
  if (read_only) {
    SetFileAttributesW(host->c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (DeleteFileW(host->c_str())) return Status::Ok();
  const DWORD error = GetLastError();
  if (read_only) SetFileAttributesW(host->c_str(), entry.dwFileAttributes);
  return Win32Error(path, error);
}

}  // namespace setup
