#include "app/host_environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/shell_folder_seed.h"

namespace setup {

namespace {

std::string HomeDirectory() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* entry = getpwuid(getuid())) return entry->pw_dir;
  return "/";
}

std::string ModuleFileName() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("setup") : path.string();
}

// On the NT line the rights check passes when the user may change the system's settings;
// here that is the registry file being writable (or creatable).
bool RegistryWritable(const std::string& registry_file) {
  if (access(registry_file.c_str(), F_OK) == 0) return access(registry_file.c_str(), W_OK) == 0;
  std::filesystem::path dir = std::filesystem::path(registry_file).parent_path();
  while (!dir.empty() && access(dir.c_str(), F_OK) != 0) {
    if (dir == dir.parent_path()) break;
    dir = dir.parent_path();
  }
  return access(dir.empty() ? "." : dir.c_str(), W_OK) == 0;
}

}  // namespace

Result<std::unique_ptr<HostEnvironment>> BuildHostEnvironment(
    const std::optional<std::string>& profile_path, const std::string& start_host_dir) {
  auto env = std::make_unique<HostEnvironment>();
  if (profile_path) {
    Result<HostProfile> loaded = LoadHostProfile(*profile_path);
    if (!loaded.ok()) return loaded.status();
    env->profile = std::move(loaded).value();
  } else {
    env->profile = DefaultHostProfile(HomeDirectory());
  }
  const HostProfile& profile = env->profile;

  Result<CodePage> code_page = CodePage::Load(profile.code_page);
  if (!code_page.ok()) return code_page.status();
  env->code_page = *code_page;

  DriveMap drives;
  for (const auto& drive : profile.drives) drives.Map(drive.letter, drive.host_root, drive.type);

  char resolved[PATH_MAX];
  if (realpath(start_host_dir.c_str(), resolved) == nullptr) {
    int error = errno;
    return Status::Error(WinError::PathNotFound, start_host_dir,
                         std::string("cannot use the start directory: ") + std::strerror(error),
                         error);
  }
  std::optional<std::string> start = drives.MapStartDirectory(resolved, env->code_page);
  if (!start) {
    return Status::Error(WinError::InvalidDrive, resolved,
                         "no free drive letter is left to map the start directory");
  }
  env->start_dir = *start;
  env->fs = std::make_unique<PosixFileSystem>(drives, env->code_page, env->start_dir);

  env->system.platform = profile.platform;
  env->system.windows_dir = profile.windows_dir;
  env->system.system_dir = profile.SystemDir();
  env->system.module_file = ModuleFileName();
  env->system.can_open_service_manager =
      profile.service_manager.value_or(RegistryWritable(profile.registry_file));

  bool new_store = access(profile.registry_file.c_str(), F_OK) != 0;
  Result<RegistryFile> registry = RegistryFile::Open(profile.registry_file);
  if (registry.ok()) {
    env->registry = std::move(registry).value();
    if (new_store) {
      Status seeded = SeedShellFolders(*env->registry, drives, env->code_page);
      if (!seeded.ok()) env->registry_error = seeded.ToString();
    }
  } else {
    env->registry_error = registry.status().ToString();
  }
  return env;
}

}  // namespace setup
