#include "platform/long_path_win32.h"

namespace setup {

namespace {

constexpr wchar_t LONG_PREFIX[] = L"\\\\?\\";
constexpr wchar_t LONG_UNC_PREFIX[] = L"\\\\?\\UNC\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring WithLongPathPrefix(const std::wstring& full_path) {
  if (full_path.rfind(LONG_PREFIX, 0) == 0) return full_path;
  if (full_path.size() >= 3 && full_path[1] == L':' && IsSeparator(full_path[2])) {
    return LONG_PREFIX + full_path;
  }
  if (full_path.size() > 2 && IsSeparator(full_path[0]) && IsSeparator(full_path[1])) {
    return LONG_UNC_PREFIX + full_path.substr(2);
  }
  return full_path;
}

std::wstring WithoutLongPathPrefix(const std::wstring& host_path) {
  if (host_path.rfind(LONG_UNC_PREFIX, 0) == 0) return L"\\\\" + host_path.substr(8);
  if (host_path.rfind(LONG_PREFIX, 0) == 0) return host_path.substr(4);
  return host_path;
}

}  // namespace setup
