#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_types.h"
#include "platform/status.h"

namespace setup {

// A file open for reading.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // Reads up to `n` bytes into `buffer`; returns the number read, 0 at the end of the file.
  virtual Result<size_t> Read(char* buffer, size_t n) = 0;
  virtual uint64_t Size() const = 0;
};

// A new file being written. Its contents go to a temporary file beside the destination and
// replace the destination only when Commit succeeds, so an interrupted or failed write never
// destroys an existing file nor leaves a half-written one under the final name. Destroying an
// uncommitted file removes the temporary.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  virtual Status Write(const char* data, size_t n) = 0;
  // Flushes and renames the temporary over the destination.
  virtual Status Commit() = 0;
};

// The file system in Windows terms. Every path is a Windows path in the disc's code page
// ("C:\Books\READ_ME.TXT", or relative to the current directory); the implementation maps it
// onto the host. Contracts follow the Win32 calls the program was written against; failures
// come back as a Status whose win_error() is the Win32 error code those calls would set.
// Every write (create, copy to, delete, rename, make a directory, set attributes or times) on
// a drive of type CdRom fails with WriteProtect. A host link that leads off every mapped
// drive is not followed: the path fails with PathNotFound.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Attributes of the file or directory. Fails with FileNotFound when the last component is
  // missing and PathNotFound when a directory on the way is missing (or the drive is unmapped).
  virtual Result<uint32_t> GetAttributes(const std::string& path) = 0;
  // Sets read-only, hidden, system and archive; other bits are ignored.
  virtual Status SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // The entry's directory data (name, attributes, size, times).
  virtual Result<FindData> GetFileInfo(const std::string& path) = 0;
  // Sets the three times; a zero leaves that time unchanged.
  virtual Status SetFileTimes(const std::string& path, FileTime creation, FileTime last_access,
                              FileTime last_write) = 0;

  // The entries matching `pattern`, a path whose last component may hold '*' and '?'
  // ("*.*" matches every name, as on the original system). Includes "." and ".." for a
  // pattern that matches them. Fails with FileNotFound when nothing matches and
  // PathNotFound when the directory is missing.
  virtual Result<std::vector<FindData>> FindFiles(const std::string& pattern) = 0;
  // FindFiles without "." and "..", which a walk of a tree never enters, so that a host may
  // skip reading their data. Fails as FindFiles does, with FileNotFound when nothing else
  // matches.
  virtual Result<std::vector<FindData>> FindFilesWithoutDots(const std::string& pattern);

  // Creates one directory; fails with AlreadyExists when the name exists, PathNotFound when
  // its parent is missing.
  virtual Status MakeDirectory(const std::string& path) = 0;
  // MakeDirectory for a name the caller knows is not there in any spelling (a name it has not
  // written in a directory it made), so that a host may skip looking for it.
  virtual Status MakeNewDirectory(const std::string& path) { return MakeDirectory(path); }
  // Copies a file with its attributes and last-write time. With `fail_if_exists` an existing
  // destination fails with FileExists; otherwise it is replaced, unless it is read-only
  // (AccessDenied). The destination is replaced only by a complete copy, and a copy that
  // fails leaves nothing under a new name. A source that is no plain file (a pipe, a device)
  // fails with AccessDenied and is never read; one that ends before the size it had when
  // opened fails with HandleEof.
  virtual Status CopyFileTo(const std::string& from, const std::string& to,
                            bool fail_if_exists) = 0;
  // CopyFileTo(from, to, false) for a destination the caller knows is not there in any
  // spelling (a name it has not written in a directory it made), so that a host may skip
  // looking for it.
  virtual Status CopyNewFile(const std::string& from, const std::string& to) {
    return CopyFileTo(from, to, false);
  }
  // CopyFileTo(from, to, false), or CopyNewFile when `is_new`, for a copy that is to be a
  // plain file: the destination ends with the source's contents and last-write time but none
  // of its attributes (neither read-only, hidden, system nor archive), as SetAttributes(to, 0)
  // after the copy leaves it, so that a host may copy none of them in the first place.
  virtual Status CopyPlainFile(const std::string& from, const std::string& to, bool is_new);
  // Deletes a file; a read-only file fails with AccessDenied, a directory with AccessDenied.
  virtual Status RemoveFile(const std::string& path) = 0;
  // Moves or renames a file or directory; never replaces an existing destination
  // (AlreadyExists).
  virtual Status RenameFile(const std::string& from, const std::string& to) = 0;

  // The entry's own directory data, following no symbolic link: a link as the last name
  // reports itself (ATTRIB_REPARSE_POINT, its own size and times), and a path that passes
  // through a link in a directory on the way fails with StoppedOnSymlink. Otherwise fails as
  // GetFileInfo.
  virtual Result<FindData> GetEntryInfo(const std::string& path) = 0;
  // Removes the file, the link (never what it points at) or the empty directory `path`
  // names, following no symbolic link on the way (StoppedOnSymlink, nothing removed). A
  // read-only file is removed too; a directory that is not empty fails with DirNotEmpty, a
  // drive's root with AccessDenied. Fails as RemoveFile otherwise.
  virtual Status RemoveEntry(const std::string& path) = 0;

  virtual Result<std::unique_ptr<ReadableFile>> OpenForRead(const std::string& path) = 0;
  // Starts writing `path` (see WritableFile). A read-only existing destination fails with
  // AccessDenied; the parent directory must exist.
  virtual Result<std::unique_ptr<WritableFile>> CreateForWrite(const std::string& path) = 0;

  // The virtual current directory, a full Windows path without a trailing backslash except
  // at a drive root ("C:\"). The process's own current directory is never changed.
  virtual std::string CurrentDirectory() = 0;
  virtual Status ChangeDirectory(const std::string& path) = 0;
  // `path` made absolute against the current directory, '.' and '..' resolved, separators
  // made backslashes; no file-system access.
  virtual std::string FullPathName(const std::string& path) = 0;

  // Bit 0 is A: one bit per mapped drive.
  virtual uint32_t GetLogicalDrives() = 0;
  // The type of the drive whose root is given ("C:\"); NoRootDir for an unmapped drive.
  virtual DriveType DriveTypeOf(const std::string& root) = 0;
  virtual Result<DiskSpace> FreeSpaceOf(const std::string& root) = 0;

  // The host path a Windows path names (existing components matched without regard to case),
  // for the few places that must hand a path to the host (running a program, a link target).
  virtual Result<std::string> ToHostPath(const std::string& path) = 0;
};

// False only when the file system reports FileNotFound for the path's attributes; every other
// outcome (a file, a directory, any other failure) is true. Never reports anything.
bool FileExists(FileSystem& fs, const std::string& path);

// Reads a whole file, at most `max_bytes` of it (the rest is ignored).
Result<std::string> ReadFileContents(FileSystem& fs, const std::string& path, size_t max_bytes);

}  // namespace setup
