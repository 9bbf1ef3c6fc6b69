#include "ui/dialogs/format_conversion.h"

#include <algorithm>
#include <cstring>

namespace setup {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads decimal digits at `pos`, capped so a huge field cannot overflow or allocate much.
int ReadField(std::string_view format, size_t& pos) {
  int value = 0;
  while (pos < format.size() && IsDigit(format[pos])) {
    value = std::min(MAX_FORMAT_FIELD, value * 10 + (format[pos] - '0'));
    ++pos;
  }
  return value;
}

FormatConversion ReadConversion(std::string_view format, size_t start) {
  FormatConversion spec;
  spec.start = start;
  size_t pos = start + 1;
  if (pos < format.size() && format[pos] == '%') {
    spec.conversion = '%';
    spec.end = pos + 1;
    return spec;
  }
  while (pos < format.size() && std::strchr("-+ #0", format[pos]) != nullptr) {
    if (format[pos] == '-') spec.left = true;
    ++pos;
  }
  if (pos < format.size() && format[pos] == '*') {
    spec.star = true;
    ++pos;
  } else {
    spec.width = ReadField(format, pos);
  }
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    if (pos < format.size() && format[pos] == '*') {
      spec.star = true;
      ++pos;
    } else {
      spec.precision = ReadField(format, pos);
    }
  }
  while (pos < format.size() && std::strchr("hlLqjztI", format[pos]) != nullptr) {
    spec.length = true;
    ++pos;
  }
  if (pos < format.size()) spec.conversion = format[pos++];
  spec.end = pos;
  return spec;
}

}  // namespace

bool FormatConversion::TakesArgument() const {
  return conversion != 0 && std::strchr("diouxXeEfFgGaAcspnCS", conversion) != nullptr;
}

bool FormatConversion::Fits(FormatArg::Type type) const {
  if (star || length) return false;
  return (conversion == 's' && type == FormatArg::Type::String) ||
         (conversion == 'c' && type == FormatArg::Type::Char);
}

std::vector<FormatConversion> ReadConversions(std::string_view format) {
  std::vector<FormatConversion> conversions;
  size_t pos = 0;
  while ((pos = format.find('%', pos)) != std::string_view::npos) {
    conversions.push_back(ReadConversion(format, pos));
    pos = conversions.back().end;
  }
  return conversions;
}

}  // namespace setup
