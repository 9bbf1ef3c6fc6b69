#include "platform/wide_text_win32.h"

#include <windows.h>

#include <climits>

namespace setup {

std::wstring WidenText(std::string_view text, unsigned code_page) {
  if (text.empty() || text.size() > INT_MAX) return std::wstring();
  const int length = static_cast<int>(text.size());
  int needed = MultiByteToWideChar(code_page, 0, text.data(), length, nullptr, 0);
  if (needed <= 0) return std::wstring(text.begin(), text.end());
  std::wstring wide(static_cast<size_t>(needed), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), length, wide.data(), needed);
  return wide;
}

std::string NarrowText(std::wstring_view text, unsigned code_page) {
  if (text.empty() || text.size() > INT_MAX) return std::string();
  const int length = static_cast<int>(text.size());
  int needed = WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return std::string(text.size(), '?');
  std::string narrow(static_cast<size_t>(needed), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), length, narrow.data(), needed, nullptr, nullptr);
  return narrow;
}

unsigned SystemAnsiCodePage() { return GetACP(); }

}  // namespace setup
