#include "ui/dialogs/size_format.h"

#include <cmath>
#include <limits>

namespace setup {

std::string FormatTwoDecimals(double x) {
  if (!std::isfinite(x)) x = 0;
  bool negative = x < 0;
  long double scaled = std::fabs(static_cast<long double>(x)) * 100.0L + 0.5L;
  constexpr long double MAX_SCALED = 1.8e19L;
  uint64_t n =
      scaled >= MAX_SCALED ? std::numeric_limits<uint64_t>::max() : static_cast<uint64_t>(scaled);
  std::string digits = std::to_string(n);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  std::string result = negative ? "-" : "";
  result += digits.substr(0, digits.size() - 2) + "." + digits.substr(digits.size() - 2);
  return result;
}

std::string FormatReplaceSize(int64_t bytes, const SizeUnits& units) {
  if (bytes < 1024) return std::to_string(bytes) + " " + units.bytes;
  if (bytes < 1048576)
    return FormatTwoDecimals(static_cast<double>(bytes) / 1024) + " " + units.kbytes;
  return FormatTwoDecimals(static_cast<double>(bytes) / 1048576) + " " + units.mbytes;
}

std::string FormatByteSize(uint64_t bytes, const SizeUnits& units) {
  if (bytes > 1048576) {
    return FormatTwoDecimals(static_cast<double>(bytes) / 1048576) + " " + units.mbytes;
  }
  if (bytes > 1024)
    return FormatTwoDecimals(static_cast<double>(bytes) / 1024) + " " + units.kbytes;
  return std::to_string(bytes) + " " + units.bytes;
}

uint64_t ParseByteCount(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' ||
                               text[pos] == '\r' || text[pos] == '\v' || text[pos] == '\f')) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  uint64_t value = 0;
  constexpr uint64_t MAX = std::numeric_limits<uint64_t>::max();
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    uint64_t digit = static_cast<uint64_t>(text[pos] - '0');
    value = value > (MAX - digit) / 10 ? MAX : value * 10 + digit;
  }
  return negative ? 0 : value;
}

}  // namespace setup
