#include "platform/local_time.h"

#include <ctime>

namespace setup {

FileTime FileTimeToLocalFileTime(FileTime utc) {
  constexpr FileTime TICKS_PER_SECOND = 10000000;
  if (utc < FILETIME_UNIX_EPOCH) return utc;
  time_t seconds = static_cast<time_t>((utc - FILETIME_UNIX_EPOCH) / TICKS_PER_SECOND);
  tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return utc;
  long long offset = static_cast<long long>(local.tm_gmtoff) * TICKS_PER_SECOND;
  if (offset < 0 && static_cast<FileTime>(-offset) > utc) return 0;
  return utc + offset;
}

}  // namespace setup
