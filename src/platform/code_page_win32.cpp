#include <windows.h>

#include <string>

#include "platform/host_code_page.h"

namespace setup {

namespace {

// The one code point `length` bytes make in code page `number`; 0 when the converter
// refuses them or makes anything else of them.
char32_t ConvertOne(int number, const char* bytes, int length) {
  wchar_t wide[2] = {};
  const int made =
      MultiByteToWideChar(static_cast<UINT>(number), MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
  return made == 1 ? static_cast<char32_t>(wide[0]) : 0;
}

}  // namespace

Result<CodePageTable> HostCodePageTable(int number) {
  CPINFO info{};
  if (number < 1 || number > 65535 || !GetCPInfo(static_cast<UINT>(number), &info)) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number),
                         "code page " + std::to_string(number) + " is not known on this host");
  }
  // A multi-byte code page without lead-byte ranges (UTF-8) starts its characters with any
  // byte it refuses alone.
  const bool multi_byte = info.MaxCharSize > 1;
  const bool lead_ranges = info.LeadByte[0] != 0;
  CodePageTable table;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const char32_t c = ConvertOne(number, &byte, 1);
    const bool defined = c != 0 || b == 0;
    const bool lead =
        lead_ranges && IsDBCSLeadByteEx(static_cast<UINT>(number), static_cast<BYTE>(b)) != 0;
    const bool starts_pair = multi_byte && (lead_ranges ? lead : !defined);
    table.unicode[b] = defined && !starts_pair ? c : static_cast<char32_t>(b);
    table.starts_pair[b] = starts_pair;
    table.undefined[b] = !defined && !starts_pair;
  }
  return table;
}

std::vector<char32_t> HostDoubleByteTable(int number, const std::bitset<256>& lead_bytes) {
  CPINFO info{};
  if (number < 1 || number > 65535 || !GetCPInfo(static_cast<UINT>(number), &info)) return {};
  std::vector<char32_t> pairs(256 * 256);
  for (int lead = 0; lead < 256; ++lead) {
    if (!lead_bytes[lead]) continue;
    for (int trail = 1; trail < 256; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      pairs[lead * 256 + trail] = ConvertOne(number, bytes, 2);
    }
  }
  return pairs;
}

// The system's case tables, which know no locale; code points beyond the 16-bit range (no
// code page holds one) keep their case.
char32_t UnicodeUpper(char32_t c) {
  if (c > 0xFFFF) return c;
  wchar_t wide = static_cast<wchar_t>(c);
  CharUpperBuffW(&wide, 1);
  return wide;
}

char32_t UnicodeLower(char32_t c) {
  if (c > 0xFFFF) return c;
  wchar_t wide = static_cast<wchar_t>(c);
  CharLowerBuffW(&wide, 1);
  return wide;
}

}  // namespace setup
