#include <windows.h>

#include <string>

#include "platform/host_code_page.h"

namespace setup {

Result<CodePageTable> HostCodePageTable(int number) {
  auto invalid = [&](const std::string& why) {
    return Status::Error(WinError::InvalidParameter, std::to_string(number), why);
  };
  CPINFO info{};
  if (number < 1 || number > 65535 || !GetCPInfo(static_cast<UINT>(number), &info)) {
    return invalid("code page " + std::to_string(number) + " is not known on this host");
  }
  if (info.MaxCharSize != 1) {
    return invalid("code page " + std::to_string(number) + " is not single-byte");
  }
  CodePageTable table{};
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t wide = 0;
    const bool defined = MultiByteToWideChar(static_cast<UINT>(number), MB_ERR_INVALID_CHARS, &byte,
                                             1, &wide, 1) == 1;
    table[b] = defined ? static_cast<char32_t>(wide) : static_cast<char32_t>(b);
  }
  return table;
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
