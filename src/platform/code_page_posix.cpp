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

}  // namespace

Result<CodePageTable> HostCodePageTable(int number) {
  auto invalid = [&](const std::string& why) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number), why);
  };
  iconv_t converter = iconv_open("UTF-32LE", IconvName(number).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return invalid("code page " + std::to_string(number) + " is not known on this host");
  }
  CodePageTable table{};
  bool single_byte = true;
  for (int b = 0; b < 256 && single_byte; ++b) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in[1] = {static_cast<char>(b)};
    char out[8] = {};
    char* in_ptr = in;
    size_t in_left = 1;
    char* out_ptr = out;
    size_t out_left = sizeof(out);
    const size_t done = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
    if (done == static_cast<size_t>(-1) && errno == EINVAL) {
      single_byte = false;  // the byte starts a multi-byte sequence
    } else if (done == static_cast<size_t>(-1) || sizeof(out) - out_left != 4) {
      table[b] = static_cast<char32_t>(b);  // undefined byte: keep its value
    } else {
      table[b] = static_cast<char32_t>(static_cast<uint8_t>(out[0])) |
                 static_cast<char32_t>(static_cast<uint8_t>(out[1])) << 8 |
                 static_cast<char32_t>(static_cast<uint8_t>(out[2])) << 16 |
                 static_cast<char32_t>(static_cast<uint8_t>(out[3])) << 24;
    }
  }
  iconv_close(converter);
  if (!single_byte) return invalid("code page " + std::to_string(number) + " is not single-byte");
  return table;
}

char32_t UnicodeUpper(char32_t c) { return Unicode().Upper(c); }

char32_t UnicodeLower(char32_t c) { return Unicode().Lower(c); }

}  // namespace setup
