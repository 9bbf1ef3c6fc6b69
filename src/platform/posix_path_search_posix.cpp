#include "platform/posix_path_search.h"

#include <dirent.h>

#include <cstdlib>
#include <memory>

#include "platform/code_page_text.h"

namespace setup {

PosixPathSearch::PosixPathSearch(FileSystem& fs, const HostSystem& system,
                                 const CodePage& code_page, std::string program_host_dir,
                                 std::vector<std::string> path_host_dirs)
    : fs_(fs),
      system_(system),
      code_page_(code_page),
      program_host_dir_(std::move(program_host_dir)),
      path_host_dirs_(std::move(path_host_dirs)) {}

PosixPathSearch PosixPathSearch::FromEnvironment(FileSystem& fs, const HostSystem& system,
                                                 const CodePage& code_page) {
  std::string program_dir;
  size_t slash = system.module_file.rfind('/');
  if (slash != std::string::npos) program_dir = system.module_file.substr(0, slash);

  std::vector<std::string> path_dirs;
  if (const char* path = std::getenv("PATH")) {
    std::string list = path;
    size_t start = 0;
    while (start <= list.size()) {
      size_t colon = list.find(':', start);
      if (colon == std::string::npos) colon = list.size();
      // An empty entry means the process's current directory, which Setup never uses.
      if (colon > start) path_dirs.push_back(list.substr(start, colon - start));
      start = colon + 1;
    }
  }
  return PosixPathSearch(fs, system, code_page, std::move(program_dir), std::move(path_dirs));
}

bool PosixPathSearch::FindOnPath(const std::string& file_name) {
  if (file_name.empty()) return false;
  bool absolute =
      file_name[0] == '\\' || file_name[0] == '/' || (file_name.size() >= 2 && file_name[1] == ':');
  if (absolute) return fs_.GetAttributes(file_name).ok();

  auto in_windows_dir = [&](const std::string& dir) {
    if (dir.empty()) return false;
    return fs_.GetAttributes(WithTrailingBackslash(code_page_, dir) + file_name).ok();
  };
  if (InHostDirectory(program_host_dir_, file_name)) return true;
  if (fs_.GetAttributes(file_name).ok()) return true;
  if (in_windows_dir(system_.system_dir) || in_windows_dir(system_.windows_dir)) return true;
  for (const auto& dir : path_host_dirs_) {
    if (InHostDirectory(dir, file_name)) return true;
  }
  return false;
}

bool PosixPathSearch::InHostDirectory(const std::string& host_dir,
                                      const std::string& file_name) const {
  // A second byte 0x5C (Shift-JIS '表') is no separator: such a name is still looked for.
  if (host_dir.empty() || FindLastCharacter(code_page_, file_name, "\\/") != std::string::npos) {
    return false;
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(host_dir.c_str()), closedir);
  if (!dir) return false;
  while (const dirent* entry = readdir(dir.get())) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (code_page_.EqualsNoCase(code_page_.FromUtf8(name), file_name)) return true;
  }
  return false;
}

}  // namespace setup
