#include "platform/code_page.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <string>

namespace setup {

namespace {

// Windows-1252 from 0x80 to 0x9F; the rest of it is ISO 8859-1. Kept here so the default
// code page never depends on the host's converter. The five bytes 1252 leaves undefined map
// to the C1 control of the same value, as the original system does.
constexpr char16_t CP1252_HIGH[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 sequence at `pos`; returns 0xFFFFFFFF for an invalid one
// and advances `pos` past what was consumed (one byte for an invalid sequence).
char32_t DecodeUtf8(std::string_view text, size_t& pos) {
  constexpr char32_t INVALID = 0xFFFFFFFF;
  const auto lead = static_cast<uint8_t>(text[pos]);
  size_t length = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    c = lead & 0x07;
  } else {
    ++pos;
    return INVALID;
  }
  if (pos + length > text.size()) {
    ++pos;
    return INVALID;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<uint8_t>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return INVALID;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t MINIMUM[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < MINIMUM[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return INVALID;
  }
  pos += length;
  return c;
}

}  // namespace

CodePage::CodePage() {
  for (int b = 0; b < 256; ++b) {
    to_unicode_[b] = (b >= 0x80 && b < 0xA0) ? CP1252_HIGH[b - 0x80] : static_cast<char32_t>(b);
  }
  BuildCaseTables();
}

Result<CodePage> CodePage::Load(int number) {
  if (number == 1252) return CodePage();
  const std::string name = IconvName(number);
  auto invalid = [&](const std::string& why) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number), why);
  };
  if (number <= 0 || number > 65535) return invalid("not a code page number");
  iconv_t converter = iconv_open("UTF-32LE", name.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    return invalid("code page " + std::to_string(number) + " is not known on this host");
  }
  CodePage page;
  page.number_ = number;
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
      page.to_unicode_[b] = static_cast<char32_t>(b);  // undefined byte: keep its value
    } else {
      page.to_unicode_[b] = static_cast<char32_t>(static_cast<uint8_t>(out[0])) |
                            static_cast<char32_t>(static_cast<uint8_t>(out[1])) << 8 |
                            static_cast<char32_t>(static_cast<uint8_t>(out[2])) << 16 |
                            static_cast<char32_t>(static_cast<uint8_t>(out[3])) << 24;
    }
  }
  iconv_close(converter);
  if (!single_byte) return invalid("code page " + std::to_string(number) + " is not single-byte");
  page.BuildCaseTables();
  return page;
}

void CodePage::BuildCaseTables() {
  from_unicode_.clear();
  // A code point held by two bytes converts back to the first of them.
  for (int b = 255; b >= 0; --b) from_unicode_[to_unicode_[b]] = static_cast<uint8_t>(b);
  keeps_ascii_ = true;
  for (char32_t c = 0; c < from_ascii_.size(); ++c) {
    auto found = from_unicode_.find(c);
    from_ascii_[c] = found != from_unicode_.end() ? found->second : -1;
    keeps_ascii_ = keeps_ascii_ && to_unicode_[c] == c;
  }
  const UnicodeCase& unicode = Unicode();
  for (int b = 0; b < 256; ++b) {
    upper_[b] = static_cast<char>(b);
    lower_[b] = static_cast<char>(b);
    auto up = from_unicode_.find(unicode.Upper(to_unicode_[b]));
    if (up != from_unicode_.end()) upper_[b] = static_cast<char>(up->second);
    auto low = from_unicode_.find(unicode.Lower(to_unicode_[b]));
    if (low != from_unicode_.end()) lower_[b] = static_cast<char>(low->second);
  }
}

std::string CodePage::ToUtf8(std::string_view ansi) const {
  std::string out;
  out.reserve(ansi.size());
  AppendAsUtf8(out, ansi);
  return out;
}

void CodePage::AppendAsUtf8(std::string& out, std::string_view ansi) const {
  size_t pos = 0;
  while (pos < ansi.size()) {
    // Runs of bytes that stand for themselves are copied whole.
    size_t end = pos;
    while (end < ansi.size() && static_cast<uint8_t>(ansi[end]) < 0x80 &&
           to_unicode_[static_cast<uint8_t>(ansi[end])] == static_cast<uint8_t>(ansi[end])) {
      ++end;
    }
    out.append(ansi, pos, end - pos);
    if (end < ansi.size()) AppendUtf8(out, to_unicode_[static_cast<uint8_t>(ansi[end++])]);
    pos = end;
  }
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto byte = static_cast<uint8_t>(utf8[pos]);
    if (byte < from_ascii_.size()) {
      ++pos;
      out += from_ascii_[byte] >= 0 ? static_cast<char>(from_ascii_[byte]) : '?';
      continue;
    }
    const char32_t c = DecodeUtf8(utf8, pos);
    auto found = from_unicode_.find(c);
    out += found != from_unicode_.end() ? static_cast<char>(found->second) : '?';
  }
  return out;
}

std::string CodePage::Upper(std::string_view text) const {
  std::string out(text);
  for (char& c : out) c = ToUpper(c);
  return out;
}

std::string CodePage::Lower(std::string_view text) const {
  std::string out(text);
  for (char& c : out) c = ToLower(c);
  return out;
}

bool CodePage::EqualsNoCase(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && ToUpper(a[i]) != ToUpper(b[i])) return false;
  }
  return true;
}

}  // namespace setup
