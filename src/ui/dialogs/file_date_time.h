#pragma once

#include <cstdint>
#include <string>

#include "platform/file_types.h"

namespace setup {

// A broken-down time, field by field as the original platform's SYSTEMTIME.
struct SystemTime {
  uint16_t wYear = 1601;
  uint16_t wMonth = 1;
  uint16_t wDayOfWeek = 1;  // 0 Sunday
  uint16_t wDay = 1;
  uint16_t wHour = 0;
  uint16_t wMinute = 0;
  uint16_t wSecond = 0;
  uint16_t wMilliseconds = 0;
};

// Breaks a file time down (no zone conversion).
SystemTime FileTimeToSystemTime(FileTime time);

// "Thursday,  March 5, 1998,  3:07:09  PM": weekday, month, day, year, 12-hour time.
std::string FormatFileDateTime(const SystemTime& time);

}  // namespace setup
