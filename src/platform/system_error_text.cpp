#include "platform/system_error_text.h"

namespace setup {
namespace {

struct ErrorText {
  WinError error;
  const char* text;
};

constexpr ErrorText ERROR_TEXTS[] = {
    {WinError::Success, "The operation completed successfully."},
    {WinError::FileNotFound, "The system cannot find the file specified."},
    {WinError::PathNotFound, "The system cannot find the path specified."},
    {WinError::AccessDenied, "Access is denied."},
    {WinError::NotEnoughMemory, "Not enough storage is available to process this command."},
    {WinError::InvalidData, "The data is invalid."},
    {WinError::InvalidDrive, "The system cannot find the drive specified."},
    {WinError::NotSameDevice, "The system cannot move the file to a different disk drive."},
    {WinError::WriteProtect, "The media is write protected."},
    {WinError::NotReady, "The device is not ready."},
    {WinError::GenFailure, "A device attached to the system is not functioning."},
    {WinError::SharingViolation,
     "The process cannot access the file because it is being used by another process."},
    {WinError::HandleEof, "Reached the end of the file."},
    {WinError::HandleDiskFull, "The disk is full."},
    {WinError::NotSupported, "The request is not supported."},
    {WinError::FileExists, "The file exists."},
    {WinError::InvalidParameter, "The parameter is incorrect."},
    {WinError::DiskFull, "There is not enough space on the disk."},
    {WinError::InvalidName, "The filename, directory name, or volume label syntax is incorrect."},
    {WinError::DirNotEmpty, "The directory is not empty."},
    {WinError::AlreadyExists, "Cannot create a file when that file already exists."},
    {WinError::BadExeFormat, "%1 is not a valid Win32 application."},
    {WinError::FilenameExcedRange, "The filename or extension is too long."},
    {WinError::Directory, "The directory name is invalid."},
    {WinError::CantResolveFilename, "The name of the file cannot be resolved by the system."},
};

}  // namespace

std::string SystemErrorText(WinError error) {
  for (const auto& entry : ERROR_TEXTS) {
    if (entry.error == error) return std::string(entry.text) + "\r\n";
  }
  return std::string();
}

}  // namespace setup
