#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/file_system.h"
#include "platform/posix_directory_cache.h"
#include "platform/posix_held_directories.h"
#include "platform/posix_opened_directory.h"

namespace setup {

// The file system on a POSIX host, through a drive map. Names are converted between the
// disc's code page and the host's UTF-8 at this boundary. Each existing path component is
// matched without regard to case (an exact match wins); '..' never leaves a drive root.
// Read-only is the absence of write permission; hidden, system and archive live in the
// extended attribute user.DOSATTRIB where the file system has one. The names of directories
// that new names are looked up in are kept (PosixDirectoryCache), so that a directory is not
// read again for every file written into it; the directories a walk lists and writes in are
// held open (PosixHeldDirectories), so that the names in them are reached from there rather
// than down their whole paths. A symbolic link whose target lies outside every
// mapped drive is not followed: the path fails as one through a missing directory. A drive of
// type cdrom is read-only: every write fails with WriteProtect.
class PosixFileSystem : public FileSystem {
 public:
  PosixFileSystem(DriveMap drives, CodePage code_page, std::string current_directory);

  Result<uint32_t> GetAttributes(const std::string& path) override;
  Status SetAttributes(const std::string& path, uint32_t attributes) override;
  Result<FindData> GetFileInfo(const std::string& path) override;
  Status SetFileTimes(const std::string& path, FileTime creation, FileTime last_access,
                      FileTime last_write) override;
  Result<std::vector<FindData>> FindFiles(const std::string& pattern) override;
  Result<std::vector<FindData>> FindFilesWithoutDots(const std::string& pattern) override;
  Status MakeDirectory(const std::string& path) override;
  Status MakeNewDirectory(const std::string& path) override;
  Status CopyFileTo(const std::string& from, const std::string& to, bool fail_if_exists) override;
  Status CopyNewFile(const std::string& from, const std::string& to) override;
  Status CopyPlainFile(const std::string& from, const std::string& to, bool is_new) override;
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

  const DriveMap& drives() const { return drives_; }
  const CodePage& code_page() const { return code_page_; }

 private:
  // Host paths hashed as views too, so that a look-up needs no string of its own.
  struct PathHash {
    using is_transparent = void;
    size_t operator()(std::string_view path) const { return std::hash<std::string_view>{}(path); }
  };
  // How far a Windows path resolved on the host.
  struct Resolved {
    std::string full_path;         // the Windows path made absolute
    std::string host_path;         // the existing prefix, then the rest as written (UTF-8)
    std::string written_name;      // the last component as written (UTF-8), "" for a root
    bool exists = false;           // every component exists
    bool parent_exists = false;    // every component but the last exists (as a directory)
    bool write_protected = false;  // on a drive of type cdrom
    // The entry's own status (lstat) when the look-up took it, which spares taking it again.
    std::optional<struct stat> entry;
    // Reached from its directory held open, which was on the drives when it was taken.
    bool in_held_directory = false;
  };
  // Each name is taken as stored, without trailing dots and blanks (WithStoredNames). Fails
  // with InvalidName for a name the original file system refuses (IsRefusedName), with
  // PathNotFound for an unmapped drive or a "\\server\share" path, and with NotReady when
  // the drive's host directory is missing (a medium that is gone).
  // With `read_fd`, a path spelt as on the disk is opened for reading on the way and the
  // descriptor (the caller's to close) stored there; else -1 is stored.
  Result<Resolved> Resolve(const std::string& path, int* read_fd = nullptr);
  // The same for a path whose last name is likely new (a destination), which a kept
  // listing of its directory answers.
  Result<Resolved> ResolveNew(const std::string& path);
  // The look-up of ResolveNew, before the check that it stays on the drives.
  Result<Resolved> LookNew(const std::string& path);
  // Fails with PathNotFound when the resolved path leads off every mapped drive through a
  // symbolic link (in a directory on the way or as its last name; `last_is_no_link` when the
  // caller knows the last name is none).
  Status CheckOnDrives(const Resolved& resolved, const std::string& path, bool last_is_no_link);
  // Whether host directory `dir` (whose status is `info`) lies under a mapped drive's root,
  // links followed. Directories found inside are remembered by their identity.
  bool DirectoryOnDrives(const std::string& dir, const struct stat& info);
  // Whether `real_path` (without links) lies under a mapped drive's root. Called with
  // containment_mutex_ held.
  bool RealPathOnDrives(const std::string& real_path);
  // Notes a host directory known to lie on the drives (made or checked just now).
  void RememberCheckedDirectory(const std::string& host_dir);
  void RememberCheckedLocked(const std::string& host_dir);
  // After a rename or a directory's removal: a checked or held directory's path may name
  // something else now.
  void ForgetKnownDirectories();
  // A bare name in the current directory opened for reading from that directory held open,
  // as Resolve with `read_fd` opens it; -1 where that takes more (a path, a name the disk
  // spells otherwise, a link, a directory not held), which Resolve then does.
  int OpenInCurrentDirectory(const std::string& name);
  // The existing source of a copy: opened into `fd` (the caller's to close), or else -1
  // there and its host path in `host_path`.
  Status FindSource(const std::string& from, int& fd, std::string& host_path);
  // CopyFileTo and CopyNewFile, the copy made plain when `plain` (see CopyPlainFile).
  Status CopyFileAs(const std::string& from, const std::string& to, bool fail_if_exists,
                    bool plain);
  Status CopyNewFileAs(const std::string& from, const std::string& to, bool plain);
  // WriteProtect for a write to a path on a cdrom drive.
  static Status WriteProtected(const std::string& path);
  // A path made absolute and spelt on the host, before any host call.
  struct Spelling {
    std::string full_path;
    const DriveMap::Drive* drive = nullptr;
    // The host path the names spell exactly: the drive's root, then each name in UTF-8 after
    // a '/'.
    std::string exact;
    // Where the last name starts in `exact`; npos when there is none (a drive's root).
    size_t last_name = std::string::npos;
    bool HasNames() const { return last_name != std::string::npos; }
    std::string LastName() const { return exact.substr(last_name); }
    // `exact` without its last name ("" for a root); made only where it is needed.
    std::string Parent() const {
      if (!HasNames()) return std::string();
      return exact.substr(0, last_name == 1 ? 1 : last_name - 1);
    }
  };
  // The errors of Resolve that need no host call.
  Result<Spelling> Spell(const std::string& path);
  // Resolve for a path spelt already, its spelling used up.
  Result<Resolved> ResolveSpelt(Spelling& spelling, const std::string& path,
                                int* read_fd = nullptr);
  // The look-up of ResolveSpelt, before the check that it stays on the drives.
  Result<Resolved> Look(Spelling& spelling, const std::string& path, int* read_fd);
  // How far Spell had come at the start of a name: a path's spelling depends on its text
  // alone, so a path beginning with the same text goes on from there. The files of a folder
  // are spelt one after another, as read and as written: their folders' part is spelt once.
  struct SpeltDirectory {
    std::string full_directory;  // the full path up to the name ("" for none)
    std::string exact;
    size_t last_slash = std::string::npos;
    bool renamed = false;
    uint64_t last_used = 0;
  };
  // The longest remembered directory that `full_path` begins with, copied into `spelling`,
  // `last_slash` and `renamed`; the position in `full_path` to go on from (0 for none).
  size_t ResumeSpelling(const std::string& full_path, Spelling& spelling, size_t& last_slash,
                        bool& renamed);
  // Remembers a directory with at least one name (resuming at a drive's root spares nothing).
  void RememberSpelling(SpeltDirectory spelt);
  // The result for a path whose parent exists as spelt, the last name matching `match`.
  static Resolved InParent(Spelling& spelling, const std::optional<std::string>& match);
  // Resolves component by component.
  Result<Resolved> Walk(Spelling& spelling, const std::string& path);
  // The name in host directory `host_dir` (whose status is `dir_info`) that `name` (UTF-8)
  // denotes: itself when it exists, else the one equal without regard to case in the code
  // page (the first in byte order).
  std::optional<std::string> MatchName(const std::string& host_dir, const struct stat& dir_info,
                                       const std::string& name);
  // The key under which a host name (UTF-8) matches without regard to case; nullopt for a
  // name the code page cannot hold, which cannot be named and so never matches.
  std::optional<std::string> FoldName(const std::string& host_name) const;
  // The key a name looked up (UTF-8) is matched under.
  std::string WantedKey(const std::string& name) const;
  // Whether an existing resolved path is a directory (symbolic links followed); the status
  // the look-up took answers for anything but a link.
  static Result<bool> IsDirectory(const Resolved& resolved);
  // True and `info` filled when `host_path` is a directory (symbolic links followed).
  static bool StatDirectory(const std::string& host_path, struct stat& info);
  // The entry's own status (lstat), taken now unless the look-up took it; false with errno
  // set when it cannot be taken.
  static bool EntryStatus(const Resolved& resolved, struct stat& info);
  // The directory holding a path's last name, reached without following any link.
  struct LinkFreeParent {
    int fd = -1;                   // O_PATH descriptor, the caller's to close
    std::string name;              // the last name on the host (UTF-8), "" for a root
    std::string host_path;         // the whole path on the host
    bool write_protected = false;  // on a drive of type cdrom
  };
  // Walks from the drive's root to the directory holding the last name of `path`, following
  // no symbolic link: fails with StoppedOnSymlink at a link on the way, PathNotFound at a
  // missing directory.
  Result<LinkFreeParent> OpenParentWithoutLinks(const std::string& path);
  // FileNotFound or PathNotFound for a path that does not exist.
  static Status Missing(const Resolved& resolved, const std::string& path);
  // Where a host call on the last name of `host_path` starts: the held descriptor of its
  // directory (with `open`, opened now when asked for again) and the bare name, or of the
  // directory above and the path from there, else the whole path. `name` points into
  // `host_path`. A directory is held only once it was found on the drives.
  struct HostAt {
    PosixHeldDirectories::Handle directory;
    int fd = AT_FDCWD;
    const char* name = nullptr;
    bool in_held_directory = false;  // `directory` holds the last name itself
  };
  HostAt AtLastName(const std::string& host_path, bool open);
  // Opens the directory at `host_path` for reading, from its held parent where there is one,
  // without following a link as its last name; -1 with errno on failure.
  int OpenSpeltDirectory(const std::string& host_path);
  // FindFiles, with "." and ".." only when `with_dots`.
  Result<std::vector<FindData>> Find(const std::string& pattern, bool with_dots);
  // The entries of host directory `host_dir`, open as `fd` (held afterwards), whose names
  // match `pattern`, sorted; "." and ".." only when `with_dots`.
  Result<std::vector<FindData>> ListDirectory(int fd, const std::string& host_dir,
                                              const std::string& pattern, bool with_dots);

  DriveMap drives_;
  CodePage code_page_;
  std::mutex current_directory_mutex_;
  std::string current_directory_;
  // FullFormPrefix of the current directory, taken when it changes.
  std::string current_prefix_;
  // The current directory spelt on the host (Spelling::exact); "" before it first changes.
  std::string current_exact_;
  PosixDirectoryCache directory_cache_;
  // The directories the walk lists, makes and writes in.
  PosixHeldDirectories held_directories_;
  // The folder the walk has just entered, opened for its listing.
  PosixOpenedDirectory opened_directory_;
  std::mutex containment_mutex_;
  std::optional<std::vector<std::string>> real_roots_;  // the drives' roots, links resolved
  std::set<std::pair<dev_t, ino_t>> directories_on_drives_;
  // Host directory paths found on the drives. Only a rename can put a link where a directory
  // was (the directory moved away first), so a rename forgets them all.
  std::unordered_set<std::string, PathHash, std::equal_to<>> checked_directories_;
  // The folders read from and written to just now.
  std::mutex spelt_mutex_;
  // The source's and the destination's folders, and the folders above them that a walk
  // goes back to; the least recently used is replaced.
  std::array<SpeltDirectory, 4> spelt_directories_;
  uint64_t spelt_clock_ = 0;
};

}  // namespace setup
