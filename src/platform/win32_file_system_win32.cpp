#include <windows.h>

#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_file_system.h"
#include "platform/windows_path.h"

namespace setup {

namespace {

constexpr DWORD SETTABLE_ATTRIBUTES =
    ATTRIB_READONLY | ATTRIB_HIDDEN | ATTRIB_SYSTEM | ATTRIB_ARCHIVE;
constexpr DWORD REPORTED_ATTRIBUTES = SETTABLE_ATTRIBUTES | ATTRIB_DIRECTORY | ATTRIB_NORMAL;

FileTime ToFileTime(const FILETIME& time) {
  return static_cast<FileTime>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME ToFiletime(FileTime time) {
  return FILETIME{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
}

// Only the bits the program knows; a file with none of them is a normal file.
uint32_t ReportedAttributes(DWORD attributes) {
  const uint32_t known = attributes & REPORTED_ATTRIBUTES;
  return known == 0 ? ATTRIB_NORMAL : known;
}

// Every name of a path with the Windows name rules the "\\?\" prefix turns off: trailing
// dots and blanks are dropped, as the system does for a plain path. The one place where
// the program's names get those rules on this host.
std::string WithNameRules(const std::string& full_path) {
  std::string out;
  out.reserve(full_path.size());
  size_t start = 0;
  while (start <= full_path.size()) {
    size_t end = full_path.find('\\', start);
    if (end == std::string::npos) end = full_path.size();
    std::string name = full_path.substr(start, end - start);
    // The drive ("C:") and the server's parts of a UNC path stay as they are.
    if (start > 2 && name != "." && name != "..") {
      while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    }
    out += name;
    if (end < full_path.size()) out += '\\';
    start = end + 1;
  }
  return out;
}

}  // namespace

Win32FileSystem::Win32FileSystem(DriveMap drives, const CodePage& code_page,
                                 std::string current_directory)
    : drives_(std::move(drives)),
      mapped_(drives_.LogicalDrives() != 0),
      code_page_(code_page),
      current_directory_(WithoutTrailingSeparator(FullWindowsPath(current_directory, "C:\\"))) {}

Result<std::wstring> Win32FileSystem::HostPathW(const std::string& path) {
  const std::string full = WithNameRules(FullPathName(path));
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  if (!mapped_) return WithLongPathPrefix(WidenText(full, code_page));
  const char letter = full.size() >= 2 && full[1] == ':' ? DriveRootLetter(full.substr(0, 2)) : 0;
  const DriveMap::Drive* drive = letter ? drives_.Find(letter) : nullptr;
  if (!drive) return Status::Error(WinError::PathNotFound, path, "no such drive");
  std::wstring host = WidenText(drive->host_root, SystemAnsiCodePage());
  if (full.size() > 3) {
    if (!host.empty() && host.back() != L'\\') host += L'\\';
    host += WidenText(full.substr(3), code_page);
  } else if (full.size() == 3 && !host.empty() && host.back() != L'\\') {
    host += L'\\';
  }
  return WithLongPathPrefix(host);
}

Result<std::wstring> Win32FileSystem::WritableHostPathW(const std::string& path) {
  const std::string full = FullPathName(path);
  if (mapped_ && DriveTypeOf(full.substr(0, 3)) == DriveType::CdRom) {
    return Win32Error(path, ERROR_WRITE_PROTECT);
  }
  return HostPathW(path);
}

Result<std::wstring> Win32FileSystem::DriveRootW(const std::string& root) {
  const char letter = root.empty() ? CurrentDirectory()[0] : DriveRootLetter(root);
  if (!letter) return Status::Error(WinError::PathNotFound, root, "no such drive");
  return HostPathW(std::string(1, letter) + ":\\");
}

Result<uint32_t> Win32FileSystem::GetAttributes(const std::string& path) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  const DWORD attributes = GetFileAttributesW(host->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastWin32Error(path);
  return ReportedAttributes(attributes);
}

Status Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  const DWORD settable = attributes & SETTABLE_ATTRIBUTES;
  if (!SetFileAttributesW(host->c_str(), settable == 0 ? FILE_ATTRIBUTE_NORMAL : settable)) {
    return LastWin32Error(path);
  }
  return Status::Ok();
}

void Win32FileSystem::FillIdentity(const std::wstring& host_path, FindData& data) {
  HANDLE handle = CreateFileW(host_path.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileInformationByHandle(handle, &info)) {
    data.volume_id = info.dwVolumeSerialNumber;
    data.file_index = static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  }
  CloseHandle(handle);
}

Result<FindData> Win32FileSystem::GetFileInfo(const std::string& path) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  if (!GetFileAttributesExW(host->c_str(), GetFileExInfoStandard, &attributes)) {
    return LastWin32Error(path);
  }
  FindData data;
  data.attributes = ReportedAttributes(attributes.dwFileAttributes);
  data.size = static_cast<uint64_t>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;
  data.creation_time = ToFileTime(attributes.ftCreationTime);
  data.last_access_time = ToFileTime(attributes.ftLastAccessTime);
  data.last_write_time = ToFileTime(attributes.ftLastWriteTime);
  // The name as the directory spells it; a drive's root has none to look up.
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(host->c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    data.name = NarrowText(found.cFileName, static_cast<unsigned>(code_page_.number()));
    FindClose(search);
  } else {
    const std::string full = WithoutTrailingSeparator(FullPathName(path));
    const size_t slash = full.rfind('\\');
    data.name = slash == std::string::npos ? full : full.substr(slash + 1);
  }
  FillIdentity(*host, data);
  return data;
}

Status Win32FileSystem::SetFileTimes(const std::string& path, FileTime creation,
                                     FileTime last_access, FileTime last_write) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  HANDLE handle = CreateFileW(host->c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastWin32Error(path);
  const FILETIME times[3] = {ToFiletime(creation), ToFiletime(last_access), ToFiletime(last_write)};
  const BOOL set = SetFileTime(handle, creation ? &times[0] : nullptr,
                               last_access ? &times[1] : nullptr, last_write ? &times[2] : nullptr);
  const Status status = set ? Status::Ok() : LastWin32Error(path);
  CloseHandle(handle);
  return status;
}

Result<std::vector<FindData>> Win32FileSystem::FindFiles(const std::string& pattern) {
  const FindPattern split = SplitFindPattern(pattern);
  auto host_dir = HostPathW(split.directory);
  if (!host_dir.ok()) return host_dir.status();
  std::wstring directory = *host_dir;
  if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  const std::wstring host_pattern = directory + WidenText(split.name_pattern, code_page);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(host_pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return LastWin32Error(pattern);
  std::vector<FindData> entries;
  do {
    FindData data;
    data.name = NarrowText(found.cFileName, code_page);
    data.attributes = ReportedAttributes(found.dwFileAttributes);
    data.size = static_cast<uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    data.creation_time = ToFileTime(found.ftCreationTime);
    data.last_access_time = ToFileTime(found.ftLastAccessTime);
    data.last_write_time = ToFileTime(found.ftLastWriteTime);
    // A walk of the tree tells a directory met again (through a junction) by its identity.
    if (data.IsDirectory() && data.name != "." && data.name != "..") {
      FillIdentity(directory + found.cFileName, data);
    }
    entries.push_back(std::move(data));
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) return Win32Error(pattern, error);
  return entries;
}

Status Win32FileSystem::MakeDirectory(const std::string& path) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  if (!CreateDirectoryW(host->c_str(), nullptr)) return LastWin32Error(path);
  return Status::Ok();
}

Status Win32FileSystem::RemoveFile(const std::string& path) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  if (!DeleteFileW(host->c_str())) return LastWin32Error(path);
  return Status::Ok();
}

Status Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  auto host_from = WritableHostPathW(from);
  if (!host_from.ok()) return host_from.status();
  auto host_to = WritableHostPathW(to);
  if (!host_to.ok()) return host_to.status();
  if (!MoveFileExW(host_from->c_str(), host_to->c_str(), 0)) {
    const DWORD error = GetLastError();
    return Win32Error(from, error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
  }
  return Status::Ok();
}

std::string Win32FileSystem::CurrentDirectory() {
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  return current_directory_;
}

Status Win32FileSystem::ChangeDirectory(const std::string& path) {
  auto attributes = GetAttributes(path);
  if (!attributes.ok()) return attributes.status();
  if ((*attributes & ATTRIB_DIRECTORY) == 0) {
    return Status::Error(WinError::Directory, path, "not a directory");
  }
  const std::string full = WithoutTrailingSeparator(FullPathName(path));
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  current_directory_ = full;
  return Status::Ok();
}

std::string Win32FileSystem::FullPathName(const std::string& path) {
  return FullWindowsPath(path, CurrentDirectory());
}

uint32_t Win32FileSystem::GetLogicalDrives() {
  return mapped_ ? drives_.LogicalDrives() : static_cast<uint32_t>(::GetLogicalDrives());
}

DriveType Win32FileSystem::DriveTypeOf(const std::string& root) {
  const char letter = root.empty() ? CurrentDirectory()[0] : DriveRootLetter(root);
  if (!letter) return DriveType::NoRootDir;
  if (mapped_) {
    const DriveMap::Drive* drive = drives_.Find(letter);
    return drive ? drive->type : DriveType::NoRootDir;
  }
  const wchar_t host_root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
  switch (GetDriveTypeW(host_root)) {
    case DRIVE_NO_ROOT_DIR:
      return DriveType::NoRootDir;
    case DRIVE_REMOVABLE:
      return DriveType::Removable;
    case DRIVE_FIXED:
      return DriveType::Fixed;
    case DRIVE_REMOTE:
      return DriveType::Remote;
    case DRIVE_CDROM:
      return DriveType::CdRom;
    case DRIVE_RAMDISK:
      return DriveType::RamDisk;
    default:
      return DriveType::Unknown;
  }
}

Result<DiskSpace> Win32FileSystem::FreeSpaceOf(const std::string& root) {
  auto host = DriveRootW(root);
  if (!host.ok()) return host.status();
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  if (!GetDiskFreeSpaceExW(WithoutLongPathPrefix(*host).c_str(), &available, &total, nullptr)) {
    return LastWin32Error(root);
  }
  return DiskSpace{available.QuadPart, total.QuadPart};
}

Result<std::string> Win32FileSystem::ToHostPath(const std::string& path) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  return NarrowText(WithoutLongPathPrefix(*host), SystemAnsiCodePage());
}

}  // namespace setup
