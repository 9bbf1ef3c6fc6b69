#include "platform/shell_folder_seed.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/host_file_io.h"

namespace setup {

namespace {

constexpr size_t MAX_USER_DIRS_BYTES = 64 * 1024;

// The XDG folder `variable` from user-dirs.dirs text, as a host path, or nullopt when the
// text does not set it. Only the two forms the file may hold are read: "$HOME/rest" and
// "/absolute".
std::optional<std::string> XdgFolder(const std::string& text, const std::string& variable,
                                     const std::string& home) {
  std::optional<std::string> found;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    line = line.substr(start);
    if (line.compare(0, variable.size() + 1, variable + "=") != 0) continue;
    std::string value = line.substr(variable.size() + 1);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') continue;
    value = value.substr(1, value.size() - 2);
    std::string unescaped;
    for (size_t i = 0; i < value.size(); ++i) {
      if (value[i] == '\\' && i + 1 < value.size()) ++i;
      unescaped += value[i];
    }
    if (unescaped.compare(0, 5, "$HOME") == 0) {
      found = home + unescaped.substr(5);
    } else if (!unescaped.empty() && unescaped[0] == '/') {
      found = unescaped;
    }
  }
  return found;
}

// The Windows path under C: of host path `host` below `root`, or nullopt when it is not
// below it.
std::optional<std::string> UnderDriveC(const std::string& root, std::string host,
                                       const CodePage& code_page) {
  while (host.size() > 1 && host.back() == '/') host.pop_back();
  const std::string prefix = root == "/" ? "/" : root + "/";
  if (host.compare(0, prefix.size(), prefix) != 0 || host.size() == prefix.size()) {
    return std::nullopt;
  }
  std::string path = "C:";
  std::string rest = code_page.FromUtf8(host.substr(prefix.size()));
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= rest.size()) {
    size_t end = rest.find('/', pos);
    if (end == std::string::npos) end = rest.size();
    const std::string part = rest.substr(pos, end - pos);
    // Only plain names: a '..' could climb out of C.
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") path += "\\" + part;
    pos = end + 1;
  }
  return path == "C:" ? std::nullopt : std::optional<std::string>(path);
}

}  // namespace

Status SeedShellFolders(Registry& store, const DriveMap& drives, const CodePage& code_page) {
  const DriveMap::Drive* drive = drives.Find('C');
  if (drive == nullptr) return Status::Ok();
  const std::string& root = drive->host_root;
  const std::string home = root == "/" ? "" : root;
  auto text = ReadHostFile(home + "/.config/user-dirs.dirs", MAX_USER_DIRS_BYTES);
  const std::string user_dirs = text.ok() ? *text : std::string();
  struct Folder {
    const char* value;
    const char* xdg;
    const char* fallback;
  } folders[] = {
      {"Favorites", nullptr, "/.local/share/setup/Favorites"},
      {"Personal", "XDG_DOCUMENTS_DIR", "/Documents"},
      {"My Pictures", "XDG_PICTURES_DIR", "/Pictures"},
      {"Desktop", "XDG_DESKTOP_DIR", "/Desktop"},
      {"Start Menu", nullptr, "/.local/share/setup/Start Menu"},
      {"Programs", nullptr, "/.local/share/setup/Start Menu/Programs"},
  };
  for (const auto& folder : folders) {
    std::optional<std::string> host;
    if (folder.xdg) host = XdgFolder(user_dirs, folder.xdg, home);
    if (!host) host = home + folder.fallback;
    auto path = UnderDriveC(root, *host, code_page);
    if (!path) continue;
    Status status = store.SetValue(SHELL_FOLDERS_KEY, folder.value, *path);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

}  // namespace setup
