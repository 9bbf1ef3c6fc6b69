#include <windows.h>

#include "platform/wide_text_win32.h"
#include "platform/win32_services.h"

namespace setup {

namespace {

std::wstring EnvironmentValue(const wchar_t* name) {
  DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring value(size, L'\0');
  size = GetEnvironmentVariableW(name, value.data(), size);
  value.resize(size);
  return value;
}

std::wstring ModuleDirectory() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

}  // namespace

Win32PathSearch::Win32PathSearch(Win32FileSystem& fs, const HostSystem& system,
                                 const CodePage& code_page)
    : fs_(fs), system_(system), code_page_(code_page), program_dir_(ModuleDirectory()) {
  const std::wstring list = EnvironmentValue(L"PATH");
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(L';', start);
    if (end == std::wstring::npos) end = list.size();
    if (end > start) path_dirs_.push_back(list.substr(start, end - start));
    start = end + 1;
  }
}

bool Win32PathSearch::FindOnPath(const std::string& file_name) {
  if (file_name.empty()) return false;
  const bool absolute =
      file_name[0] == '\\' || file_name[0] == '/' || (file_name.size() >= 2 && file_name[1] == ':');
  if (absolute) return fs_.GetAttributes(file_name).ok();

  auto in_windows_dir = [&](const std::string& dir) {
    if (dir.empty()) return false;
    std::string joined = dir.back() == '\\' ? dir + file_name : dir + "\\" + file_name;
    return fs_.GetAttributes(joined).ok();
  };
  if (InHostDirectory(program_dir_, file_name)) return true;
  if (fs_.GetAttributes(file_name).ok()) return true;
  if (in_windows_dir(system_.system_dir) || in_windows_dir(system_.windows_dir)) return true;
  for (const auto& dir : path_dirs_) {
    if (InHostDirectory(dir, file_name)) return true;
  }
  return false;
}

bool Win32PathSearch::InHostDirectory(const std::wstring& host_dir,
                                      const std::string& file_name) const {
  if (host_dir.empty() || file_name.find_first_of("\\/") != std::string::npos) return false;
  std::wstring path = host_dir;
  if (path.back() != L'\\') path += L'\\';
  path += WidenText(file_name, static_cast<unsigned>(code_page_.number()));
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace setup
