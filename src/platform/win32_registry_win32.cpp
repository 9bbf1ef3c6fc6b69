#include <windows.h>

#include <cstring>
#include <iterator>
#include <vector>

#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_registry.h"

namespace setup {

namespace {

struct RootKey {
  const char* name;
  HKEY key;
};

// A key path split into its root and the path below it; root is null for an unknown root.
struct KeyPath {
  HKEY root = nullptr;
  std::wstring sub_key;
};

KeyPath SplitKeyPath(const std::string& key, unsigned code_page) {
  static const RootKey ROOTS[] = {{"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                                  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                                  {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                  {"HKEY_USERS", HKEY_USERS}};
  const size_t slash = key.find('\\');
  const std::string root_name = key.substr(0, slash);
  KeyPath path;
  for (const auto& root : ROOTS) {
    if (_stricmp(root.name, root_name.c_str()) == 0) path.root = root.key;
  }
  if (slash != std::string::npos) path.sub_key = WidenText(key.substr(slash + 1), code_page);
  return path;
}

// A key the registry cannot hold: an unknown root, an empty name between backslashes.
bool Holdable(const KeyPath& path) {
  if (path.root == nullptr) return false;
  const std::wstring& sub = path.sub_key;
  return sub.find(L"\\\\") == std::wstring::npos && (sub.empty() || sub.front() != L'\\');
}

}  // namespace

bool Win32Registry::KeyExists(const std::string& key) const {
  const KeyPath path = SplitKeyPath(key, static_cast<unsigned>(code_page_.number()));
  if (!Holdable(path)) return false;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(path.root, path.sub_key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

std::optional<std::string> Win32Registry::QueryValue(const std::string& key,
                                                     const std::string& name) const {
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  const KeyPath path = SplitKeyPath(key, code_page);
  if (!Holdable(path)) return std::nullopt;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(path.root, path.sub_key.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::wstring value_name = WidenText(name, code_page);
  DWORD type = 0;
  DWORD bytes = 0;
  LSTATUS status = RegQueryValueExW(opened, value_name.c_str(), nullptr, &type, nullptr, &bytes);
  std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
  if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
    DWORD size = static_cast<DWORD>((data.size() - 1) * sizeof(wchar_t));
    status = RegQueryValueExW(opened, value_name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  } else {
    status = ERROR_UNSUPPORTED_TYPE;
  }
  RegCloseKey(opened);
  if (status != ERROR_SUCCESS) return std::nullopt;
  // The data need not end in a terminator; the vector's last element always is one.
  return NarrowText(std::wstring(data.data()), code_page);
}

Status Win32Registry::CreateKey(const std::string& key) {
  const KeyPath path = SplitKeyPath(key, static_cast<unsigned>(code_page_.number()));
  if (!Holdable(path)) return Win32Error(key, ERROR_INVALID_PARAMETER);
  HKEY created = nullptr;
  const LSTATUS status = RegCreateKeyExW(path.root, path.sub_key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                         nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) return Win32Error(key, static_cast<unsigned long>(status));
  RegCloseKey(created);
  return Status::Ok();
}

Status Win32Registry::SetValue(const std::string& key, const std::string& name,
                               const std::string& data) {
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  const KeyPath path = SplitKeyPath(key, code_page);
  if (!Holdable(path)) return Win32Error(key, ERROR_INVALID_PARAMETER);
  HKEY created = nullptr;
  LSTATUS status = RegCreateKeyExW(path.root, path.sub_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                   nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) return Win32Error(key, static_cast<unsigned long>(status));
  const std::wstring value_name = WidenText(name, code_page);
  const std::wstring value = WidenText(data, code_page);
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  status = RegSetValueExW(created, value_name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  RegCloseKey(created);
  if (status != ERROR_SUCCESS) return Win32Error(key, static_cast<unsigned long>(status));
  return Status::Ok();
}

std::vector<std::string> Win32Registry::SubKeyNames(const std::string& key) const {
  const unsigned code_page = static_cast<unsigned>(code_page_.number());
  const KeyPath path = SplitKeyPath(key, code_page);
  std::vector<std::string> names;
  if (!Holdable(path)) return names;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(path.root, path.sub_key.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &opened) !=
      ERROR_SUCCESS) {
    return names;
  }
  // A key's name holds at most 255 characters.
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.push_back(NarrowText(std::wstring(name, length), code_page));
  }
  RegCloseKey(opened);
  return names;
}

Status Win32Registry::DeleteKey(const std::string& key) {
  const KeyPath path = SplitKeyPath(key, static_cast<unsigned>(code_page_.number()));
  if (!Holdable(path)) return Win32Error(key, ERROR_INVALID_PARAMETER);
  // Deleting a whole root would take every program's keys with it.
  if (path.sub_key.empty()) return Win32Error(key, ERROR_ACCESS_DENIED);
  const LSTATUS status = RegDeleteTreeW(path.root, path.sub_key.c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    return Win32Error(key, static_cast<unsigned long>(status));
  }
  return Status::Ok();
}

}  // namespace setup
