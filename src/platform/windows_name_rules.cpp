#include "platform/windows_name_rules.h"

#include "platform/windows_path.h"

namespace setup {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string_view StoredName(std::string_view name) {
  if (name == "." || name == "..") return name;
  size_t end = name.size();
  while (end > 0 && (name[end - 1] == '.' || name[end - 1] == ' ')) --end;
  return name.substr(0, end);
}

bool IsReservedDeviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (base.size() == 3) {
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
      if (EqualsNoCase(base, device)) return true;
    }
    return false;
  }
  if (base.size() != 4 || base[3] < '1' || base[3] > '9') return false;
  const std::string_view port = base.substr(0, 3);
  return EqualsNoCase(port, "COM") || EqualsNoCase(port, "LPT");
}

bool IsRefusedName(std::string_view stored, const CodePage& code_page) {
  return stored.empty() || IsReservedDeviceName(stored) ||
         HasInvalidNameCharacter(stored, code_page);
}

std::string WithStoredNames(const std::string& full_path, const CodePage& code_page) {
  const size_t prefix = full_path.size() >= 3 && full_path[1] == ':' ? 3 : 0;
  std::string stored = full_path.substr(0, prefix);
  stored.reserve(full_path.size());
  size_t pos = prefix;
  while (pos < full_path.size()) {
    size_t end = pos;
    while (end < full_path.size() && !IsSeparator(full_path[end])) {
      end += code_page.CharSize(full_path, end);
    }
    stored += StoredName(std::string_view(full_path).substr(pos, end - pos));
    if (end < full_path.size()) stored += full_path[end];
    pos = end + 1;
  }
  return stored;
}

}  // namespace setup
