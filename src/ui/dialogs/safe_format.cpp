#include "ui/dialogs/safe_format.h"

#include <algorithm>
#include <cstring>
#include <vector>

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

void AppendPadded(std::string& out, std::string_view text, int width, bool left) {
  size_t pad = width > 0 && static_cast<size_t>(width) > text.size() ? width - text.size() : 0;
  if (!left) out.append(pad, ' ');
  out.append(text);
  if (left) out.append(pad, ' ');
}

}  // namespace

std::string SafeFormat(std::string_view format, std::initializer_list<FormatArg> args) {
  std::vector<const FormatArg*> list;
  for (const FormatArg& arg : args) list.push_back(&arg);
  std::string out;
  size_t next_arg = 0;
  size_t pos = 0;
  while (pos < format.size()) {
    char c = format[pos];
    if (c != '%') {
      out.push_back(c);
      ++pos;
      continue;
    }
    size_t start = pos++;
    if (pos < format.size() && format[pos] == '%') {
      out.push_back('%');
      ++pos;
      continue;
    }
    bool left = false;
    while (pos < format.size() && std::strchr("-+ #0", format[pos]) != nullptr) {
      if (format[pos] == '-') left = true;
      ++pos;
    }
    bool star = false;
    int width = 0;
    if (pos < format.size() && format[pos] == '*') {
      star = true;
      ++pos;
    } else {
      width = ReadField(format, pos);
    }
    int precision = -1;
    if (pos < format.size() && format[pos] == '.') {
      ++pos;
      if (pos < format.size() && format[pos] == '*') {
        star = true;
        ++pos;
      } else {
        precision = ReadField(format, pos);
      }
    }
    bool length = false;
    while (pos < format.size() && std::strchr("hlLqjztI", format[pos]) != nullptr) {
      length = true;
      ++pos;
    }
    if (pos >= format.size()) {
      // A conversion cut off by the end of the text.
      out.append(format.substr(start));
      break;
    }
    char conversion = format[pos++];
    std::string_view literal = format.substr(start, pos - start);
    if (std::strchr("diouxXeEfFgGaAcspnCS", conversion) == nullptr) {
      out.append(literal);  // not a conversion at all: takes no argument
      continue;
    }
    const FormatArg* arg = next_arg < list.size() ? list[next_arg] : nullptr;
    ++next_arg;
    if (arg == nullptr || star || length) {
      out.append(literal);
      continue;
    }
    if (conversion == 's' && arg->type == FormatArg::Type::String) {
      std::string_view text = arg->text;
      if (precision >= 0 && static_cast<size_t>(precision) < text.size()) {
        text = text.substr(0, precision);
      }
      AppendPadded(out, text, width, left);
    } else if (conversion == 'c' && arg->type == FormatArg::Type::Char) {
      // A NUL character would end the text where the program was written; it adds nothing.
      AppendPadded(out, std::string_view(&arg->ch, arg->ch != '\0' ? 1 : 0), width, left);
    } else {
      out.append(literal);
    }
  }
  return out;
}

}  // namespace setup
