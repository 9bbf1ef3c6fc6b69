#include <windows.h>

#include "platform/local_time.h"

namespace setup {

// Through the system time of the moment, so the offset is the one in force then (summer
// time included), which FileTimeToLocalFileTime alone would take from today.
FileTime FileTimeToLocalFileTime(FileTime utc) {
  FILETIME utc_time{static_cast<DWORD>(utc), static_cast<DWORD>(utc >> 32)};
  SYSTEMTIME utc_system{};
  SYSTEMTIME local_system{};
  FILETIME local_time{};
  if (!FileTimeToSystemTime(&utc_time, &utc_system) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc_system, &local_system) ||
      !SystemTimeToFileTime(&local_system, &local_time)) {
    return utc;
  }
  return static_cast<FileTime>(local_time.dwHighDateTime) << 32 | local_time.dwLowDateTime;
}

}  // namespace setup
