#include "ui/dialogs/file_date_time.h"

namespace setup {

namespace {

constexpr const char* WEEKDAYS[] = {"Sunday,  ",   "Monday,  ", "Tuesday,  ", "Wednesday,  ",
                                    "Thursday,  ", "Friday,  ", "Saturday,  "};
constexpr const char* MONTHS[] = {"January ",   "February ", "March ",    "April ",
                                  "May ",       "June ",     "July ",     "August ",
                                  "September ", "October ",  "November ", "December "};

std::string TwoDigits(int value) {
  std::string digits = std::to_string(value);
  if (value < 10) digits.insert(digits.begin(), '0');
  return digits;
}

}  // namespace

SystemTime FileTimeToSystemTime(FileTime time) {
  constexpr uint64_t TICKS_PER_SECOND = 10000000;
  uint64_t seconds = time / TICKS_PER_SECOND;
  int64_t days = static_cast<int64_t>(seconds / 86400);
  uint64_t rest = seconds % 86400;
  SystemTime st;
  st.wMilliseconds = static_cast<uint16_t>((time % TICKS_PER_SECOND) / 10000);
  st.wHour = static_cast<uint16_t>(rest / 3600);
  st.wMinute = static_cast<uint16_t>(rest % 3600 / 60);
  st.wSecond = static_cast<uint16_t>(rest % 60);
  st.wDayOfWeek = static_cast<uint16_t>((days + 1) % 7);  // 1601-01-01 was a Monday
  // Civil date from days since 1601-01-01, shifted to days since 0000-03-01.
  int64_t z = days + 584694;
  int64_t era = z / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int64_t day = doy - (153 * mp + 2) / 5 + 1;
  int64_t month = mp < 10 ? mp + 3 : mp - 9;
  int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  st.wYear = static_cast<uint16_t>(year);
  st.wMonth = static_cast<uint16_t>(month);
  st.wDay = static_cast<uint16_t>(day);
  return st;
}

std::string FormatFileDateTime(const SystemTime& time) {
  std::string text = time.wDayOfWeek <= 6 ? WEEKDAYS[time.wDayOfWeek] : "Monday,  ";
  text += time.wMonth >= 1 && time.wMonth <= 12 ? MONTHS[time.wMonth - 1] : "January ";
  text += std::to_string(time.wDay) + ", " + std::to_string(time.wYear) + ",  ";
  int hour = time.wHour;
  int twelve = hour == 0 ? 12 : hour <= 12 ? hour : hour - 12;
  text += std::to_string(twelve) + ":" + TwoDigits(time.wMinute) + ":" + TwoDigits(time.wSecond);
  text += hour < 12 ? "  AM" : "  PM";
  return text;
}

}  // namespace setup
