#include "platform/code_page.h"

#include <string>

#include "platform/host_code_page.h"
#include "platform/lead_bytes.h"

namespace setup {

namespace {

// Windows-1252 from 0x80 to 0x9F; the rest of it is ISO 8859-1. Kept here so the default
// code page never depends on the host's converter. The five bytes 1252 leaves undefined map
// to the C1 control of the same value, as the original system does.
constexpr char16_t CP1252_HIGH[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

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
  BuildTables();
}

Result<CodePage> CodePage::Load(int number) {
  if (number == 1252) return CodePage();
  if (number <= 0 || number > 65535) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number),
                         "not a code page number");
  }
  Result<CodePageTable> table = HostCodePageTable(number);
  if (!table.ok()) return table.status();
  CodePage page;
  page.number_ = number;
  page.to_unicode_ = table->unicode;
  page.lead_bytes_ = LeadBytesOf(number);
  if (page.lead_bytes_.none() && table->starts_pair.any()) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number),
                         "code page " + std::to_string(number) + " is not single-byte");
  }
  if (page.lead_bytes_.any()) {
    page.pairs_ = std::make_shared<const std::vector<char32_t>>(
        HostDoubleByteTable(number, page.lead_bytes_));
  }
  page.BuildTables();
  return page;
}

void CodePage::BuildTables() {
  auto from_unicode = std::make_shared<std::unordered_map<char32_t, uint16_t>>();
  // A code point held by two characters converts back to the first of them, and one held by
  // a single byte and by a pair to the single byte.
  if (pairs_) {
    for (size_t index = pairs_->size(); index-- > 0;) {
      if ((*pairs_)[index] != 0) (*from_unicode)[(*pairs_)[index]] = static_cast<uint16_t>(index);
    }
  }
  for (int b = 255; b >= 0; --b) {
    if (!lead_bytes_[b]) (*from_unicode)[to_unicode_[b]] = static_cast<uint8_t>(b);
  }
  keeps_ascii_ = true;
  for (char32_t c = 0; c < from_ascii_.size(); ++c) {
    auto found = from_unicode->find(c);
    from_ascii_[c] = found != from_unicode->end() && found->second < 0x100 ? found->second : -1;
    keeps_ascii_ = keeps_ascii_ && to_unicode_[c] == c;
  }
  const bool double_byte = lead_bytes_.any();
  single_byte_ = !double_byte;
  auto single_byte_partner = [&](char32_t c, uint8_t own) {
    auto found = from_unicode->find(c);
    if (found == from_unicode->end() || found->second >= 0x100) return own;
    // A double-byte code page cases the ASCII letters only.
    if (double_byte && (found->second >= 0x80 || own >= 0x80)) return own;
    return static_cast<uint8_t>(found->second);
  };
  for (int b = 0; b < 256; ++b) {
    const auto own = static_cast<uint8_t>(b);
    const bool cased = !lead_bytes_[b];
    upper_[b] =
        static_cast<char>(cased ? single_byte_partner(UnicodeUpper(to_unicode_[b]), own) : own);
    lower_[b] =
        static_cast<char>(cased ? single_byte_partner(UnicodeLower(to_unicode_[b]), own) : own);
  }
  from_unicode_ = std::move(from_unicode);
}

std::string CodePage::ToUtf8(std::string_view ansi) const {
  std::string out;
  out.reserve(ansi.size());
  AppendAsUtf8(out, ansi);
  return out;
}

void CodePage::AppendAsUtf8(std::string& out, std::string_view ansi) const {
  constexpr char32_t REPLACEMENT = 0xFFFD;
  size_t pos = 0;
  while (pos < ansi.size()) {
    // Runs of bytes that stand for themselves are copied whole.
    size_t end = pos;
    while (end < ansi.size() && static_cast<uint8_t>(ansi[end]) < 0x80 &&
           to_unicode_[static_cast<uint8_t>(ansi[end])] == static_cast<uint8_t>(ansi[end])) {
      ++end;
    }
    out.append(ansi, pos, end - pos);
    pos = end;
    if (pos == ansi.size()) break;
    const auto byte = static_cast<uint8_t>(ansi[pos]);
    if (!lead_bytes_[byte]) {
      AppendUtf8(out, to_unicode_[byte]);
      ++pos;
    } else if (pos + 1 < ansi.size()) {
      const char32_t c = (*pairs_)[byte * 256u + static_cast<uint8_t>(ansi[pos + 1])];
      AppendUtf8(out, c != 0 ? c : REPLACEMENT);
      pos += 2;
    } else {
      AppendUtf8(out, REPLACEMENT);
      ++pos;
    }
  }
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
  // Most host names are ASCII, which stands for itself in most code pages.
  size_t pos = 0;
  if (keeps_ascii_) {
    while (pos < utf8.size() && static_cast<uint8_t>(utf8[pos]) < 0x80) ++pos;
    if (pos == utf8.size()) return std::string(utf8);
  }
  std::string out(utf8.substr(0, pos));
  out.reserve(utf8.size());
  while (pos < utf8.size()) {
    const auto byte = static_cast<uint8_t>(utf8[pos]);
    if (byte < from_ascii_.size()) {
      ++pos;
      out += from_ascii_[byte] >= 0 ? static_cast<char>(from_ascii_[byte]) : '?';
      continue;
    }
    const char32_t c = DecodeUtf8(utf8, pos);
    auto found = from_unicode_->find(c);
    if (found == from_unicode_->end()) {
      out += '?';
    } else if (found->second >= 0x100) {
      out += static_cast<char>(found->second >> 8);
      out += static_cast<char>(found->second & 0xFF);
    } else {
      out += static_cast<char>(found->second);
    }
  }
  return out;
}

std::string CodePage::Mapped(std::string_view text, const std::array<char, 256>& table) const {
  std::string out(text);
  if (single_byte_) {
    for (char& c : out) c = table[static_cast<uint8_t>(c)];
    return out;
  }
  for (size_t i = 0; i < out.size(); i += CharSize(out, i)) {
    out[i] = table[static_cast<uint8_t>(out[i])];
  }
  return out;
}

std::string CodePage::Upper(std::string_view text) const { return Mapped(text, upper_); }

std::string CodePage::Lower(std::string_view text) const { return Mapped(text, lower_); }

bool CodePage::EqualsNoCase(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    const size_t size = CharSize(a, i);
    if (size == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else if (a[i] != b[i] &&
               upper_[static_cast<uint8_t>(a[i])] != upper_[static_cast<uint8_t>(b[i])]) {
      return false;
    }
    i += size;
  }
  return true;
}

}  // namespace setup
