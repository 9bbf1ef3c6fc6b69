#include "platform/host_code_page.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <string>

namespace setup {

namespace {

// The iconv name of a Windows code page number.
std::string IconvName(int number) {
  if (number >= 28591 && number <= 28599) return "ISO-8859-" + std::to_string(number - 28590);
  if (number == 28603) return "ISO-8859-13";
  if (number == 28605) return "ISO-8859-15";
  if (number == 20866) return "KOI8-R";
  if (number == 21866) return "KOI8-U";
  return "CP" + std::to_string(number);
}

// Case mapping by Unicode code point, independent of the process's locale.
class UnicodeCase {
 public:
  UnicodeCase() {
    locale_ = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (locale_ == static_cast<locale_t>(nullptr)) {
      locale_ = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
    }
  }
  ~UnicodeCase() {
    if (locale_ != static_cast<locale_t>(nullptr)) freelocale(locale_);
  }
  UnicodeCase(const UnicodeCase&) = delete;
  UnicodeCase& operator=(const UnicodeCase&) = delete;

  char32_t Upper(char32_t c) const {
    if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
    if (locale_ == static_cast<locale_t>(nullptr)) return c;
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), locale_));
  }
  char32_t Lower(char32_t c) const {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (locale_ == static_cast<locale_t>(nullptr)) return c;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale_));
  }

 private:
  locale_t locale_;
};

const UnicodeCase& Unicode() {
  static const UnicodeCase unicode_case;
  return unicode_case;
}

// Converts `length` bytes of code page text to one code point; 0 when the converter refuses
// them or makes anything but one code point of them, EINVAL in `error` when they only start
// a character.
char32_t ConvertOne(iconv_t converter, const char* bytes, size_t length, int& error) {
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char in[2] = {bytes[0], length > 1 ? bytes[1] : '\0'};
  char out[8] = {};
  char* in_ptr = in;
  size_t in_left = length;
  char* out_ptr = out;
  size_t out_left = sizeof(out);
  const size_t done = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
  error = done == static_cast<size_t>(-1) ? errno : 0;
  if (error != 0 || in_left != 0 || sizeof(out) - out_left != 4) return 0;
  return static_cast<char32_t>(static_cast<uint8_t>(out[0])) |
         static_cast<char32_t>(static_cast<uint8_t>(out[1])) << 8 |
         static_cast<char32_t>(static_cast<uint8_t>(out[2])) << 16 |
         static_cast<char32_t>(static_cast<uint8_t>(out[3])) << 24;
}

}  // namespace

Result<CodePageTable> HostCodePageTable(int number) {
  iconv_t converter = iconv_open("UTF-32LE", IconvName(number).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number),
                         "code page " + std::to_string(number) + " is not known on this host");
  }
  CodePageTable table;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    int error = 0;
    const char32_t c = ConvertOne(converter, &byte, 1, error);
    table.unicode[b] = error == 0 && (c != 0 || b == 0) ? c : static_cast<char32_t>(b);
    table.starts_pair[b] = error == EINVAL;
    table.undefined[b] = error != 0 && error != EINVAL;
  }
  iconv_close(converter);
  return table;
}

std::vector<char32_t> HostDoubleByteTable(int number, const std::bitset<256>& lead_bytes) {
  iconv_t converter = iconv_open("UTF-32LE", IconvName(number).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return {};
  std::vector<char32_t> pairs(256 * 256);
  for (int lead = 0; lead < 256; ++lead) {
    if (!lead_bytes[lead]) continue;
    for (int trail = 1; trail < 256; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      int error = 0;
      pairs[lead * 256 + trail] = ConvertOne(converter, bytes, 2, error);
    }
  }
  iconv_close(converter);
  return pairs;
}

char32_t UnicodeUpper(char32_t c) { return Unicode().Upper(c); }

char32_t UnicodeLower(char32_t c) { return Unicode().Lower(c); }

}  // namespace setup
