#include "ui/dialogs/size_format.h"

#include <gtest/gtest.h>

#include "ui/dialogs/file_date_time.h"

namespace setup {
namespace {

const SizeUnits UNITS{"Bytes", "KBytes", "MBytes"};

TEST(FormatTwoDecimalsTest, Table) {
  const std::pair<double, const char*> cases[] = {
      {976.5615, "976.56"}, {1.999, "2.00"},           {1.004, "1.00"},
      {0.0, "0.00"},        {123456.789, "123456.79"},
  };
  for (const auto& [value, expected] : cases)
    EXPECT_EQ(FormatTwoDecimals(value), expected) << value;
}

// The replace confirmation switches units at 1024 and 1048576.
TEST(FormatReplaceSizeTest, Table) {
  const std::pair<int64_t, const char*> cases[] = {
      {0, "0 Bytes"},           {-5, "-5 Bytes"},
      {1023, "1023 Bytes"},     {1024, "1.00 KBytes"},
      {1536, "1.50 KBytes"},    {1048575, "1024.00 KBytes"},
      {1048576, "1.00 MBytes"}, {3LL * 1024 * 1024 * 1024, "3072.00 MBytes"},  // beyond 32 bits
  };
  for (const auto& [bytes, expected] : cases) {
    EXPECT_EQ(FormatReplaceSize(bytes, UNITS), expected) << bytes;
  }
}

// The Options dialog switches units above 1024 and 1048576.
TEST(FormatByteSizeTest, Table) {
  const std::pair<uint64_t, const char*> cases[] = {
      {0, "0 Bytes"},           {1024, "1024 Bytes"},
      {1025, "1.00 KBytes"},    {1048576, "1024.00 KBytes"},
      {1048577, "1.00 MBytes"}, {2000ULL << 30, "2048000.00 MBytes"},  // a modern disk's free space
  };
  for (const auto& [bytes, expected] : cases) {
    EXPECT_EQ(FormatByteSize(bytes, UNITS), expected) << bytes;
  }
}

TEST(ParseByteCountTest, Table) {
  const std::pair<const char*, uint64_t> cases[] = {
      {"", 0},
      {"1536", 1536},
      {"  42abc", 42},
      {"+7", 7},
      {"-7", 0},
      {"abc", 0},
      {"4294967296", 4294967296ULL},
      {"99999999999999999999999", UINT64_MAX},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseByteCount(text), expected) << text;
}

TEST(FormatFileDateTimeTest, Table) {
  const std::pair<SystemTime, const char*> cases[] = {
      {SystemTime{2001, 1, 1, 1, 0, 0, 0}, "Monday,  January 1, 2001,  12:00:00  AM"},
      {SystemTime{2001, 12, 0, 30, 12, 0, 0}, "Sunday,  December 30, 2001,  12:00:00  PM"},
      {SystemTime{2001, 6, 2, 9, 23, 59, 59}, "Tuesday,  June 9, 2001,  11:59:59  PM"},
      {SystemTime{2001, 13, 9, 9, 11, 10, 10}, "Monday,  January 9, 2001,  11:10:10  AM"},
      {SystemTime{2001, 0, 3, 9, 13, 10, 10}, "Wednesday,  January 9, 2001,  1:10:10  PM"},
  };
  for (const auto& [time, expected] : cases) EXPECT_EQ(FormatFileDateTime(time), expected);
}

// The rest of the breakdown shows in the replace question's dates.
TEST(FileTimeToSystemTimeTest, BreaksDownALeapDay) {
  SystemTime leap = FileTimeToSystemTime(FILETIME_UNIX_EPOCH + 951782400ULL * 10000000ULL);
  EXPECT_EQ(leap.wMonth, 2);  // 2000-02-29
  EXPECT_EQ(leap.wDay, 29);
}

}  // namespace
}  // namespace setup
