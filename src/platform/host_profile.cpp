#include "platform/host_profile.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

#include "platform/code_page.h"
#include "platform/drive_map.h"
#include "platform/host_file_io.h"
#include "platform/host_paths.h"

namespace setup {

namespace {

// Profiles are a few lines; anything larger is not one.
constexpr size_t MAX_PROFILE_BYTES = 1 << 20;

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string Lower(const std::string& text) {
  std::string out;
  for (char c : text) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string DirectoryOf(const std::string& file) {
  const size_t slash = file.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : file.substr(0, slash);
}

// `path` as an absolute host path, a relative one taken from `base_dir`.
std::string HostPathFrom(const std::string& base_dir, const std::string& path) {
  const bool is_absolute = path.empty() || std::filesystem::path(path).is_absolute();
  std::filesystem::path full = is_absolute ? path : base_dir + "/" + path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(full, ec);
  std::string text = (ec ? full : absolute).lexically_normal().string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// "C:\WINDOWS" -> itself without trailing backslashes (a root keeps its own); nullopt when
// the text is not a full Windows path.
std::optional<std::string> FullWindowsPath(const std::string& value) {
  if (value.size() < 3 || !std::isalpha(static_cast<unsigned char>(value[0])) || value[1] != ':' ||
      value[2] != '\\') {
    return std::nullopt;
  }
  std::string path = value;
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  path[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
  return path;
}

class ProfileParser {
 public:
  ProfileParser(const std::string& file_name) : file_name_(file_name) {}

  Result<HostProfile> Parse(const std::string& text) {
    std::istringstream lines(text);
    std::string raw;
    while (std::getline(lines, raw)) {
      ++line_;
      const size_t comment = raw.find(';');
      const std::string line = Trim(comment == std::string::npos ? raw : raw.substr(0, comment));
      if (line.empty()) continue;
      Status status = line[0] == '[' ? ParseSection(line) : ParseEntry(line);
      if (!status.ok()) return status;
    }
    if (profile_.registry_file.empty()) {
      for (const auto& drive : profile_.drives) {
        if (drive.letter == 'C') {
          profile_.registry_file = drive.host_root + "/.local/share/setup/registry.reg";
        }
      }
    }
    return profile_;
  }

 private:
  enum class Section { None, Drives, System };

  Status Problem(const std::string& what) const {
    return Status::Error(WinError::InvalidParameter, file_name_,
                         file_name_ + ":" + std::to_string(line_) + ": " + what);
  }

  Status ParseSection(const std::string& line) {
    if (line.back() != ']') return Problem("expected '[section]' or 'key = value'");
    const std::string name = Trim(line.substr(1, line.size() - 2));
    if (Lower(name) == "drives") {
      section_ = Section::Drives;
    } else if (Lower(name) == "system") {
      section_ = Section::System;
    } else {
      return Problem("unknown section [" + name + "]");
    }
    return Status::Ok();
  }

  Status ParseEntry(const std::string& line) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) {
      return Problem("expected '[section]' or 'key = value'");
    }
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    switch (section_) {
      case Section::Drives:
        return ParseDrive(key, value);
      case Section::System:
        return ParseSystem(key, value);
      case Section::None:
        break;
    }
    return Problem("'" + key + "' is outside any section");
  }

  Status ParseDrive(const std::string& key, const std::string& value) {
    if (key.size() != 1 || !std::isalpha(static_cast<unsigned char>(key[0]))) {
      return Problem("'" + key + "' is not a drive letter");
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    for (const auto& drive : profile_.drives) {
      if (drive.letter == letter) {
        return Problem("drive " + std::string(1, letter) + " is mapped twice (first on line " +
                       std::to_string(drive.line) + ")");
      }
    }
    const size_t comma = value.rfind(',');
    const std::string dir = Trim(comma == std::string::npos ? value : value.substr(0, comma));
    DriveType type = DriveType::Fixed;
    if (comma != std::string::npos) {
      const std::string word = Trim(value.substr(comma + 1));
      auto parsed = ParseDriveType(word);
      if (!parsed) {
        return Problem("unknown drive type '" + word +
                       "' (fixed, removable, cdrom, remote or ramdisk)");
      }
      type = *parsed;
    }
    if (dir.empty()) return Problem("drive " + std::string(1, letter) + " needs a directory");
    const std::string host_root = HostPathFrom(DirectoryOf(file_name_), dir);
    Result<bool> is_directory = IsHostDirectory(host_root);
    if (!is_directory.ok()) {
      return Problem("drive " + std::string(1, letter) + ": cannot use '" + host_root +
                     "': " + is_directory.status().message());
    }
    if (!*is_directory) {
      return Problem("drive " + std::string(1, letter) + ": '" + host_root +
                     "' is not a directory");
    }
    // Symbolic links resolved, so that a start directory (always a real path) is found below
    // the drive that holds it.
    Result<std::string> real = RealHostPath(host_root);
    const std::string root = real.ok() ? *real : host_root;
    profile_.drives.push_back({letter, root, type, line_});
    return Status::Ok();
  }

  Status ParseSystem(const std::string& key, const std::string& value) {
    const std::string name = Lower(key);
    if (name != "windowsdir" && name != "systemdir" && name != "registry" && name != "platform" &&
        name != "codepage" && name != "servicemanager") {
      return Problem("unknown key '" + key + "' in [System]");
    }
    auto [first, inserted] = system_lines_.emplace(name, line_);
    if (!inserted) {
      return Problem("'" + key + "' is set twice (first on line " + std::to_string(first->second) +
                     ")");
    }
    if (name == "windowsdir" || name == "systemdir") {
      auto path = FullWindowsPath(value);
      if (!path) return Problem(key + " must be a full Windows path such as C:\\WINDOWS");
      (name == "windowsdir" ? profile_.windows_dir : profile_.system_dir.emplace()) = *path;
    } else if (name == "registry") {
      if (value.empty()) return Problem("Registry needs a file name");
      profile_.registry_file = HostPathFrom(DirectoryOf(file_name_), value);
    } else if (name == "platform") {
      if (Lower(value) == "nt") {
        profile_.platform = PlatformLine::NT;
      } else if (Lower(value) == "windows") {
        profile_.platform = PlatformLine::Windows;
      } else {
        return Problem("unknown platform '" + value + "' (NT or Windows)");
      }
    } else if (name == "codepage") {
      return ParseCodePage(value);
    } else if (Lower(value) == "yes") {
      profile_.service_manager = true;
    } else if (Lower(value) == "no") {
      profile_.service_manager = false;
    } else {
      return Problem("ServiceManager must be yes or no, not '" + value + "'");
    }
    return Status::Ok();
  }

  Status ParseCodePage(const std::string& value) {
    int number = 0;
    bool digits = !value.empty() && value.size() <= 5;
    for (char c : value) {
      if (!std::isdigit(static_cast<unsigned char>(c))) digits = false;
    }
    if (digits) number = std::stoi(value);
    if (!digits || number == 0) return Problem("'" + value + "' is not a code page number");
    auto page = CodePage::Load(number);
    if (!page.ok()) {
      return Problem("code page " + value + " cannot be used: " + page.status().message());
    }
    profile_.code_page = number;
    return Status::Ok();
  }

  std::string file_name_;
  int line_ = 0;
  Section section_ = Section::None;
  std::map<std::string, int> system_lines_;
  HostProfile profile_;
};

}  // namespace

HostProfile DefaultHostProfile(const std::string& home) {
  HostProfile profile;
  std::string root = home;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  profile.drives.push_back({'C', root, DriveType::Fixed, 0});
  profile.registry_file = (root == "/" ? "" : root) + "/.local/share/setup/registry.reg";
  return profile;
}

Result<HostProfile> ParseHostProfile(const std::string& text, const std::string& file_name) {
  return ProfileParser(file_name).Parse(text);
}

Result<HostProfile> LoadHostProfile(const std::string& host_path) {
  auto text = ReadHostFile(host_path, MAX_PROFILE_BYTES);
  if (!text.ok()) {
    return Status::Error(text.status().win_error(), host_path,
                         host_path + ": cannot read the profile: " + text.status().message(),
                         text.status().os_errno());
  }
  return ParseHostProfile(*text, host_path);
}

}  // namespace setup
