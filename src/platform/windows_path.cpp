#include "platform/windows_path.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/code_page_text.h"

namespace setup {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

// Appends the components of `text` to `parts`, resolving '.' and '..'.
void AddComponents(std::string_view text, std::vector<std::string>& parts,
                   const CodePage& code_page) {
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) end += code_page.CharSize(text, end);
    const std::string_view part = text.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    pos = end + 1;
  }
}

std::string Join(const std::string& prefix, const std::vector<std::string>& parts) {
  size_t size = prefix.size() + parts.size() + 1;
  for (const auto& part : parts) size += part.size();
  std::string path;
  path.reserve(size);
  path += prefix;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) path += '\\';
    path += parts[i];
  }
  return path;
}

}  // namespace

bool IsPlainRelative(std::string_view path, const CodePage& code_page) {
  // Every path a file call takes is tested here: each character is looked at once.
  const bool single_byte = code_page.IsSingleByte();
  auto is_dots = [&](size_t start, size_t end) {
    return (end - start == 1 || end - start == 2) && path[start] == '.' && path[end - 1] == '.';
  };
  size_t start = 0;  // of the name being read
  for (size_t i = 0; i < path.size();) {
    const char c = path[i];
    if (c == '\\') {
      if (i == start || is_dots(start, i)) return false;
      start = ++i;
      continue;
    }
    if (c == '/' || c == ':') return false;
    i += single_byte ? 1 : code_page.CharSize(path, i);
  }
  return !is_dots(start, path.size());
}

namespace {

// Whether `path` is already what FullWindowsPath makes of it, but for the case of the drive
// letter: "X:\" and names separated by single backslashes, none of them "." or "..", with
// at most a trailing backslash.
bool IsFullForm(std::string_view path, const CodePage& code_page) {
  if (path.size() < 3 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])) ||
      path[2] != '\\') {
    return false;
  }
  return IsPlainRelative(path.substr(3), code_page);
}

}  // namespace

std::string FullWindowsPath(const std::string& path, const std::string& current_directory,
                            const CodePage& code_page) {
  if (IsFullForm(path, code_page)) {
    std::string full = path;
    full[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(full[0])));
    return full;
  }
  if (!path.empty() && IsPlainRelative(path, code_page)) {
    // Names below the current directory, when that is in full form already.
    std::string full = FullFormPrefix(current_directory, code_page);
    if (!full.empty()) return full += path;
  }
  const bool trailing =
      EndsWithCharacter(code_page, path, '\\') || EndsWithCharacter(code_page, path, '/');
  std::vector<std::string> parts;
  std::string prefix;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // UNC: the server and share are kept, the rest is resolved below them.
    std::vector<std::string> unc;
    AddComponents(path.substr(2), unc, code_page);
    prefix = "\\\\";
    for (size_t i = 0; i < unc.size() && i < 2; ++i) prefix += unc[i] + "\\";
    if (unc.size() > 2) parts.assign(unc.begin() + 2, unc.end());
    std::string full = Join(prefix, parts);
    if (trailing && !parts.empty()) full += '\\';
    return full;
  }
  const std::string_view current =
      HasDrive(current_directory) ? std::string_view(current_directory) : "C:\\";
  const char current_drive =
      static_cast<char>(std::toupper(static_cast<unsigned char>(current[0])));
  std::string_view rest;
  char drive = current_drive;
  if (HasDrive(path)) {
    drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    rest = std::string_view(path).substr(2);
    if (rest.empty() || !IsSeparator(rest[0])) {
      if (drive == current_drive) AddComponents(current.substr(2), parts, code_page);
    }
  } else {
    rest = path;
    if (rest.empty() || !IsSeparator(rest[0])) AddComponents(current.substr(2), parts, code_page);
  }
  AddComponents(rest, parts, code_page);
  std::string full = Join(std::string(1, drive) + ":\\", parts);
  if (trailing && !parts.empty()) full += '\\';
  return full;
}

std::string FullFormPrefix(const std::string& current_directory, const CodePage& code_page) {
  if (!IsFullForm(current_directory, code_page)) return std::string();
  std::string prefix;
  prefix.reserve(current_directory.size() + 1);
  prefix = current_directory;
  prefix[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(prefix[0])));
  if (!EndsWithCharacter(code_page, prefix, '\\')) prefix += '\\';
  return prefix;
}

char DriveRootLetter(const std::string& root) {
  if (root.size() < 2 || root.size() > 3 || !std::isalpha(static_cast<unsigned char>(root[0])) ||
      root[1] != ':' || (root.size() == 3 && !IsSeparator(root[2]))) {
    return 0;
  }
  return static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
}

std::string WithoutTrailingSeparator(std::string full_path, const CodePage& code_page) {
  if (full_path.size() <= 3) return full_path;
  // Just past the last character that is no backslash.
  size_t kept = 0;
  for (size_t i = 0; i < full_path.size();) {
    const size_t size = code_page.CharSize(full_path, i);
    if (full_path[i] != '\\') kept = i + size;
    i += size;
  }
  full_path.resize(std::max<size_t>(kept, 3));
  return full_path;
}

std::vector<std::string> PathComponents(const std::string& full_path, const CodePage& code_page) {
  std::vector<std::string> parts;
  if (full_path.size() > 2) AddComponents(std::string_view(full_path).substr(2), parts, code_page);
  return parts;
}

bool HasInvalidNameCharacter(std::string_view name, const CodePage& code_page) {
  if (code_page.IsSingleByte()) {
    return std::any_of(name.begin(), name.end(), IsInvalidNameCharacter);
  }
  for (size_t i = 0; i < name.size();) {
    const size_t size = code_page.CharSize(name, i);
    if (size == 1 && IsInvalidNameCharacter(name[i])) return true;
    i += size;
  }
  return false;
}

FindPattern SplitFindPattern(const std::string& pattern, const CodePage& code_page) {
  size_t split = FindLastCharacter(code_page, pattern, "\\/");
  if (split == std::string::npos && pattern.size() >= 2 && pattern[1] == ':') split = 1;
  if (split == std::string::npos) return {".", pattern};
  return {pattern.substr(0, split + 1), pattern.substr(split + 1)};
}

}  // namespace setup
