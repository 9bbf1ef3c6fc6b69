#include <windows.h>

#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/wildcard_match.h"
#include "platform/win32_file_system.h"
#include "platform/windows_name_rules.h"
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

// The offset of the first separator at or after `pos` in `text`, a character at a time so
// that the second byte of a two-byte character is never taken for one; npos when none.
size_t FindSeparator(std::string_view text, size_t pos, const CodePage& code_page) {
  while (pos < text.size() && text[pos] != '\\') pos += code_page.CharSize(text, pos);
  return pos < text.size() ? pos : std::string::npos;
}

// A full path with the name rules the "\\?\" prefix turns off in the system: each name as
// the original file system stores it (windows_name_rules), and InvalidName for a name it
// refuses, so that no host file is ever made under a name the program could not reach.
Result<std::string> WithNameRules(const std::string& full_path, const std::string& path,
                                  const CodePage& code_page) {
  for (size_t pos = Win32FileSystem::FirstNameOffset(full_path, code_page);
       pos < full_path.size();) {
    size_t end = FindSeparator(full_path, pos, code_page);
    if (end == std::string::npos) end = full_path.size();
    const std::string_view name = std::string_view(full_path).substr(pos, end - pos);
    if (!name.empty() && IsRefusedName(StoredName(name), code_page)) {
      return Status::Error(WinError::InvalidName, path, "invalid file name");
    }
    pos = end + 1;
  }
  return WithStoredNames(full_path, code_page);
}

// Each mapped root as a full path with backslashes, which the long-path prefix needs: the
// system does not rewrite a prefixed path.
DriveMap WithFullRoots(DriveMap drives) {
  DriveMap full;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const DriveMap::Drive* drive = drives.Find(letter);
    if (!drive) continue;
    const std::wstring root = WidenText(drive->host_root, SystemAnsiCodePage());
    const DWORD size = GetFullPathNameW(root.c_str(), 0, nullptr, nullptr);
    std::wstring resolved(size, L'\0');
    resolved.resize(size == 0 ? 0 : GetFullPathNameW(root.c_str(), size, resolved.data(), nullptr));
    full.Map(letter,
             resolved.empty() ? drive->host_root : NarrowText(resolved, SystemAnsiCodePage()),
             drive->type);
  }
  return full;
}

}  // namespace

Win32FileSystem::Win32FileSystem(DriveMap drives, CodePage code_page, std::string current_directory)
    : drives_(WithFullRoots(std::move(drives))),
      mapped_(drives_.LogicalDrives() != 0),
      code_page_(std::move(code_page)),
      current_directory_(WithoutTrailingSeparator(
          FullWindowsPath(current_directory, "C:\\", code_page_), code_page_)) {}

size_t Win32FileSystem::FirstNameOffset(const std::string& full_path, const CodePage& code_page) {
  if (full_path.size() >= 2 && full_path[1] == ':') return 3;
  if (full_path.rfind("\\\\", 0) != 0) return 0;
  const size_t server_end = FindSeparator(full_path, 2, code_page);
  if (server_end == std::string::npos) return full_path.size();
  const size_t share_end = FindSeparator(full_path, server_end + 1, code_page);
  return share_end == std::string::npos ? full_path.size() : share_end + 1;
}

Result<std::wstring> Win32FileSystem::HostPathW(const std::string& path) {
  auto stored = WithNameRules(FullPathName(path), path, code_page_);
  if (!stored.ok()) return stored.status();
  const std::string& full = *stored;
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
    return Win32Error(path, MediumMissing(path) ? ERROR_NOT_READY : ERROR_WRITE_PROTECT);
  }
  return HostPathW(path);
}

bool Win32FileSystem::MediumMissing(const std::string& path) {
  if (!mapped_) return false;
  const std::string full = FullPathName(path);
  const DriveMap::Drive* drive =
      full.size() >= 2 && full[1] == ':' ? drives_.Find(full[0]) : nullptr;
  if (!drive) return false;
  const std::wstring root = WithLongPathPrefix(WidenText(drive->host_root, SystemAnsiCodePage()));
  return GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES;
}

Status Win32FileSystem::HostError(const std::string& path, unsigned long error) {
  if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && MediumMissing(path)) {
    return Win32Error(path, ERROR_NOT_READY);
  }
  return Win32Error(path, error);
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
  if (attributes == INVALID_FILE_ATTRIBUTES) return HostError(path, GetLastError());
  return ReportedAttributes(attributes);
}

Status Win32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  const DWORD settable = attributes & SETTABLE_ATTRIBUTES;
  if (!SetFileAttributesW(host->c_str(), settable == 0 ? FILE_ATTRIBUTE_NORMAL : settable)) {
    return HostError(path, GetLastError());
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
    return HostError(path, GetLastError());
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
    const std::string full = WithoutTrailingSeparator(FullPathName(path), code_page_);
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
  if (handle == INVALID_HANDLE_VALUE) return HostError(path, GetLastError());
  const FILETIME times[3] = {ToFiletime(creation), ToFiletime(last_access), ToFiletime(last_write)};
  const BOOL set = SetFileTime(handle, creation ? &times[0] : nullptr,
                               last_access ? &times[1] : nullptr, last_write ? &times[2] : nullptr);
  const Status status = set ? Status::Ok() : HostError(path, GetLastError());
  CloseHandle(handle);
  return status;
}

Result<std::vector<FindData>> Win32FileSystem::FindFiles(const std::string& pattern) {
  const FindPattern split = SplitFindPattern(pattern, code_page_);
  auto host_dir = HostPathW(split.directory);
  if (!host_dir.ok()) return host_dir.status();
  std::wstring directory = *host_dir;
  if (!directory.empty() && directory.back() != L'\\') directory += L'\\';
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  // The system's own matching would also try each entry's short name and reads "*." its own
  // way; names are matched here as on every host, against the whole listing.
  const bool wildcard = HasWildcard(split.name_pattern);
  const std::string_view name = StoredName(split.name_pattern);
  if (!wildcard && !split.name_pattern.empty() && IsRefusedName(name, code_page_)) {
    return Status::Error(WinError::InvalidName, pattern, "invalid file name");
  }
  const std::wstring host_pattern =
      directory + (wildcard ? L"*" : WidenText(std::string(name), code_page));
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(host_pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return HostError(pattern, GetLastError());
  // A drive's root has no "." nor "..", though the folder a mapped drive stands on has.
  const bool at_root = FullPathName(split.directory).size() <= 3;
  std::vector<FindData> entries;
  do {
    if (at_root && (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0)) {
      continue;
    }
    FindData data;
    data.name = NarrowText(found.cFileName, code_page);
    if (wildcard && !MatchesWildcard(split.name_pattern, data.name, code_page_)) continue;
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
  if (entries.empty()) return Win32Error(pattern, ERROR_FILE_NOT_FOUND);
  return entries;
}

Status Win32FileSystem::MakeDirectory(const std::string& path) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  if (!CreateDirectoryW(host->c_str(), nullptr)) return HostError(path, GetLastError());
  return Status::Ok();
}

Status Win32FileSystem::RemoveFile(const std::string& path) {
  auto host = WritableHostPathW(path);
  if (!host.ok()) return host.status();
  if (!DeleteFileW(host->c_str())) return HostError(path, GetLastError());
  return Status::Ok();
}

Status Win32FileSystem::RenameFile(const std::string& from, const std::string& to) {
  auto host_from = WritableHostPathW(from);
  if (!host_from.ok()) return host_from.status();
  auto host_to = WritableHostPathW(to);
  if (!host_to.ok()) return host_to.status();
  // A change of case only renames through a name of its own: a system that finds the
  // destination already there as the source itself may leave the name as it was.
  const bool case_only =
      *host_from != *host_to &&
      CompareStringOrdinal(host_from->c_str(), -1, host_to->c_str(), -1, TRUE) == CSTR_EQUAL;
  const std::wstring step = *host_from + L".~case";
  if (case_only && MoveFileExW(host_from->c_str(), step.c_str(), 0)) {
    if (MoveFileExW(step.c_str(), host_to->c_str(), 0)) return Status::Ok();
    const DWORD error = GetLastError();
    MoveFileExW(step.c_str(), host_from->c_str(), 0);
    return HostError(from, error);
  }
  if (!MoveFileExW(host_from->c_str(), host_to->c_str(), 0)) {
    const DWORD error = GetLastError();
    return HostError(from, error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error);
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
  const std::string full =
      WithoutTrailingSeparator(WithStoredNames(FullPathName(path), code_page_), code_page_);
  std::lock_guard<std::mutex> lock(current_directory_mutex_);
  current_directory_ = full;
  return Status::Ok();
}

std::string Win32FileSystem::FullPathName(const std::string& path) {
  return FullWindowsPath(path, CurrentDirectory(), code_page_);
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
    return HostError(root, GetLastError());
  }
  return DiskSpace{available.QuadPart, total.QuadPart};
}

Result<std::string> Win32FileSystem::ToHostPath(const std::string& path) {
  auto host = SpeltHostPathW(path);
  if (!host.ok()) return host.status();
  return NarrowText(*host, SystemAnsiCodePage());
}

Result<std::wstring> Win32FileSystem::SpeltHostPathW(const std::string& path) {
  auto host = HostPathW(path);
  if (!host.ok()) return host.status();
  const std::wstring full = WithoutLongPathPrefix(*host);
  // The names begin after the root: "C:\" or "\\server\share\".
  size_t start = full.find(L'\\', full.rfind(L"\\\\", 0) == 0 ? 2 : 0);
  if (full.rfind(L"\\\\", 0) == 0 && start != std::wstring::npos) {
    start = full.find(L'\\', start + 1);
  }
  std::wstring spelt = full.substr(0, start == std::wstring::npos ? full.size() : start + 1);
  bool exists = true;
  while (start != std::wstring::npos && start + 1 < full.size()) {
    size_t end = full.find(L'\\', start + 1);
    const std::wstring name =
        full.substr(start + 1, (end == std::wstring::npos ? full.size() : end) - start - 1);
    WIN32_FIND_DATAW found{};
    HANDLE search = exists ? FindFirstFileW(WithLongPathPrefix(spelt + name).c_str(), &found)
                           : INVALID_HANDLE_VALUE;
    exists = search != INVALID_HANDLE_VALUE;
    spelt += exists ? std::wstring(found.cFileName) : name;
    if (exists) FindClose(search);
    if (end != std::wstring::npos) spelt += L'\\';
    start = end;
  }
  return spelt;
}

}  // namespace setup
