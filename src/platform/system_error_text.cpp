#include "platform/system_error_text.h"

namespace setup {

std::string SystemErrorText(WinError error) {
  const char* text = nullptr;
  switch (error) {
    case WinError::Success:
      text = "The operation completed successfully.";
      break;
    case WinError::FileNotFound:
      text = "The system cannot find the file specified.";
      break;
    case WinError::PathNotFound:
      text = "The system cannot find the path specified.";
      break;
    case WinError::AccessDenied:
      text = "Access is denied.";
      break;
    case WinError::NotEnoughMemory:
      text = "Not enough storage is available to process this command.";
      break;
    case WinError::InvalidDrive:
      text = "The system cannot find the drive specified.";
      break;
    case WinError::WriteProtect:
      text = "The media is write protected.";
      break;
    case WinError::NotReady:
      text = "The device is not ready.";
      break;
    case WinError::GenFailure:
      text = "A device attached to the system is not functioning.";
      break;
    case WinError::SharingViolation:
      text = "The process cannot access the file because it is being used by another process.";
      break;
    case WinError::HandleEof:
      text = "Reached the end of the file.";
      break;
    case WinError::HandleDiskFull:
      text = "The disk is full.";
      break;
    case WinError::NotSupported:
      text = "The request is not supported.";
      break;
    case WinError::FileExists:
      text = "The file exists.";
      break;
    case WinError::InvalidParameter:
      text = "The parameter is incorrect.";
      break;
    case WinError::DiskFull:
      text = "There is not enough space on the disk.";
      break;
    case WinError::InvalidName:
      text = "The filename, directory name, or volume label syntax is incorrect.";
      break;
    case WinError::DirNotEmpty:
      text = "The directory is not empty.";
      break;
    case WinError::AlreadyExists:
      text = "Cannot create a file when that file already exists.";
      break;
    case WinError::BadExeFormat:
      text = "%1 is not a valid Win32 application.";
      break;
    case WinError::FilenameExcedRange:
      text = "The filename or extension is too long.";
      break;
    case WinError::Directory:
      text = "The directory name is invalid.";
      break;
  }
  if (text == nullptr) return std::string();
  return std::string(text) + "\r\n";
}

}  // namespace setup
