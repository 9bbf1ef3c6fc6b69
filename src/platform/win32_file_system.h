#pragma once

#include <mutex>
#include <string>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"

namespace setup {

// The file system of a Windows machine through the wide-character API. Names are converted
// from the disc's code page, and every path goes to the system as a full path with the
// "\\?\" prefix, so no path is refused for being longer than MAX_PATH and no name is
// rewritten by the system.
//
// An empty drive map means the machine's own drives. A drive map (a host profile's [Drives])
// puts each letter onto a host folder instead, with the type the map gives: a test runs on
// temporary folders that way. Host folders and host paths are in the system's ANSI code page.
class Win32FileSystem : public FileSystem {
 public:
  Win32FileSystem(DriveMap drives, CodePage code_page, std::string current_directory);

  Result<uint32_t> GetAttributes(const std::string& path) override;
  Status SetAttributes(const std::string& path, uint32_t attributes) override;
  Result<FindData> GetFileInfo(const std::string& path) override;
  Status SetFileTimes(const std::string& path, FileTime creation, FileTime last_access,
                      FileTime last_write) override;
  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override;
  Status MakeDirectory(const std::string& path) override;
  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override;
  Status RemoveFile(const std::string& path) override;
  Status RenameFile(const std::string& from, const std::string& to) override;
  Result<FindData> GetEntryInfo(const std::string& path) override;
  Status RemoveEntry(const std::string& path) override;
  Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) override;
  Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) override;
  std::string CurrentDirectory() override;
  Status ChangeDirectory(const std::string& path) override;
  std::string FullPathName(const std::string& path) override;
  uint32_t GetLogicalDrives() override;
  DriveType DriveTypeOf(const std::string& root) override;
  Result<DiskSpace> FreeSpaceOf(const std::string& root) override;
  Result<std::string> ToHostPath(const std::string& path) override;

  // The host path of a Windows path, with the long-path prefix, for the other services of
  // this host. Fails with PathNotFound for a drive the map does not hold (and, with a map,
  // for a UNC path).
  Result<std::wstring> HostPathW(const std::string& path);
  // The host path without the prefix, its existing names spelt as their directories spell
  // them and the others as given: the path a link to it or a program started from it shows.
  Result<std::wstring> SpeltHostPathW(const std::string& path);
  // Where the names of a full Windows path begin: after "C:\" or "\\server\share\".
  static size_t FirstNameOffset(const std::string& full_path, const CodePage& code_page);

 private:
  // HostPathW for a write: a drive mapped as a CD-ROM fails with WriteProtect, as the
  // medium would.
  Result<std::wstring> WritableHostPathW(const std::string& path);
  // The host path of a drive's root ("C:\"), with a trailing backslash.
  Result<std::wstring> DriveRootW(const std::string& root);
  // The status of a failed call on `path`: a drive whose host folder is missing has no
  // medium, so a path on it that is not found is NotReady, as on a drive without its disc.
  Status HostError(const std::string& path, unsigned long error);
  bool MediumMissing(const std::string& path);
  // The host path of `path` (with the prefix), once every directory on the way from the
  // drive's root is known to be a directory and no link (StoppedOnSymlink, PathNotFound);
  // `is_root` tells whether the path names the drive's root itself.
  Result<std::wstring> LinkFreeHostPathW(const std::string& path, bool& is_root);
  // The entry's identity (volume and file index), 0 and 0 when it cannot be opened.
  static void FillIdentity(const std::wstring& host_path, FindData& data);

  DriveMap drives_;
  bool mapped_ = false;
  CodePage code_page_;
  std::mutex current_directory_mutex_;
  std::string current_directory_;
};

}  // namespace setup
