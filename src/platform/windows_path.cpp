#include "platform/windows_path.h"

#include <cctype>

namespace setup {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// Appends the components of `text` to `parts`, resolving '.' and '..'.
void AddComponents(const std::string& text, std::vector<std::string>& parts) {
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string part = text.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
}

std::string Join(const std::string& prefix, const std::vector<std::string>& parts) {
  std::string path = prefix;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) path += '\\';
    path += parts[i];
  }
  return path;
}

}  // namespace

std::string FullWindowsPath(const std::string& path, const std::string& current_directory) {
  const bool trailing = !path.empty() && IsSeparator(path.back());
  std::vector<std::string> parts;
  std::string prefix;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // UNC: the server and share are kept, the rest is resolved below them.
    std::vector<std::string> unc;
    AddComponents(path.substr(2), unc);
    prefix = "\\\\";
    for (size_t i = 0; i < unc.size() && i < 2; ++i) prefix += unc[i] + "\\";
    if (unc.size() > 2) parts.assign(unc.begin() + 2, unc.end());
    std::string full = Join(prefix, parts);
    if (trailing && !parts.empty()) full += '\\';
    return full;
  }
  const std::string current = HasDrive(current_directory) ? current_directory : "C:\\";
  const char current_drive =
      static_cast<char>(std::toupper(static_cast<unsigned char>(current[0])));
  std::string rest;
  char drive = current_drive;
  if (HasDrive(path)) {
    drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    rest = path.substr(2);
    if (rest.empty() || !IsSeparator(rest[0])) {
      if (drive == current_drive) AddComponents(current.substr(2), parts);
    }
  } else {
    rest = path;
    if (rest.empty() || !IsSeparator(rest[0])) AddComponents(current.substr(2), parts);
  }
  AddComponents(rest, parts);
  std::string full = Join(std::string(1, drive) + ":\\", parts);
  if (trailing && !parts.empty()) full += '\\';
  return full;
}

std::vector<std::string> PathComponents(const std::string& full_path) {
  std::vector<std::string> parts;
  if (full_path.size() > 2) AddComponents(full_path.substr(2), parts);
  return parts;
}

bool HasInvalidNameCharacter(const std::string& name) {
  for (char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) return true;
    switch (c) {
      case '<':
      case '>':
      case ':':
      case '"':
      case '|':
      case '?':
      case '*':
        return true;
      default:
        break;
    }
  }
  return false;
}

}  // namespace setup
