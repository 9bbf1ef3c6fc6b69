#include "platform/status_posix.h"

#include <cerrno>
#include <cstring>

namespace setup {

namespace {

WinError WinErrorOf(int os_errno) {
  switch (os_errno) {
    case 0:
      return WinError::GenFailure;
    case ENOENT:
      return WinError::FileNotFound;
    case ENOTDIR:
      return WinError::PathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
      return WinError::AccessDenied;
    case EROFS:
      return WinError::WriteProtect;
    case ENOSPC:
    case EDQUOT:
      return WinError::DiskFull;
    case EFBIG:
      return WinError::HandleDiskFull;
    case EEXIST:
      return WinError::AlreadyExists;
    case ENOTEMPTY:
      return WinError::DirNotEmpty;
    case ENAMETOOLONG:
      return WinError::FilenameExcedRange;
    case ENOMEM:
      return WinError::NotEnoughMemory;
    case EINVAL:
      return WinError::InvalidParameter;
    case EILSEQ:
      return WinError::InvalidName;
    case EXDEV:
      return WinError::NotSameDevice;
    case ENOEXEC:
      return WinError::BadExeFormat;
    case ENOTSUP:
      return WinError::NotSupported;
    case ENOMEDIUM:
    case ENXIO:
    case ENODEV:
      return WinError::NotReady;
    case ELOOP:
      return WinError::CantResolveFilename;
    default:
      return WinError::GenFailure;
  }
}

}  // namespace

Status PosixError(const std::string& path, int os_errno) {
  return Status::Error(WinErrorOf(os_errno), path, std::strerror(os_errno), os_errno);
}

}  // namespace setup
