#include "platform/host.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>
#include <thread>

#include "platform/display_probe.h"
#include "platform/host_paths.h"
#include "platform/instance_lock_posix.h"
#include "platform/local_time.h"
#include "platform/posix_file_system.h"
#include "platform/posix_path_search.h"
#include "platform/posix_process_runner.h"
#include "platform/posix_shell_link_maker.h"
#include "platform/registry_file.h"
#include "platform/shell_folder_seed.h"
#include "platform/status_posix.h"

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

class PosixHost : public Host {
 public:
  PosixHost(HostProfile profile, CodePage code_page, std::string home_dir, const DriveMap& drives,
            std::string start_dir)
      : profile_(std::move(profile)),
        code_page_(std::move(code_page)),
        home_dir_(std::move(home_dir)),
        start_dir_(std::move(start_dir)),
        fs_(drives, code_page_, start_dir_),
        links_(fs_),
        processes_(fs_, code_page_),
        drives_(drives) {
    system_.platform = profile_.platform;
    system_.windows_dir = profile_.windows_dir;
    system_.system_dir = profile_.SystemDir();
    system_.module_file = ModuleFileName();
    system_.can_open_service_manager =
        profile_.service_manager.value_or(RegistryWritable(profile_.registry_file));
    search_.emplace(PosixPathSearch::FromEnvironment(fs_, system_, code_page_));
  }

  const HostProfile& profile() const override { return profile_; }
  const CodePage& code_page() const override { return code_page_; }
  const HostSystem& system() const override { return system_; }
  const std::string& home_dir() const override { return home_dir_; }
  const std::string& start_dir() const override { return start_dir_; }
  bool DisplayAvailable() const override { return DisplayNamed(); }

  bool IsInteractiveTerminal() const override { return isatty(STDIN_FILENO) == 1; }
  bool StandardErrorIsTerminal() const override { return isatty(STDERR_FILENO) == 1; }

  FileSystem& file_system() override { return fs_; }
  // Opened on first use, so a run that stops before (a bad answers file, say) writes nothing.
  Registry* registry() override {
    std::call_once(registry_opened_, [this] { OpenRegistry(); });
    return registry_ ? &*registry_ : nullptr;
  }
  ProcessRunner& processes() override { return processes_; }
  ShellLinkMaker& links() override { return links_; }
  PathSearch& path_search() override { return *search_; }

  void Sleep(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
  FileTime ToLocalFileTime(FileTime utc) const override { return FileTimeToLocalFileTime(utc); }
  std::unique_ptr<InstanceLock> NewInstanceLock() override {
    return std::make_unique<PosixInstanceLock>(InstanceLockPath());
  }
  Result<std::string> ReadWholeFile(const std::string& host_path) override {
    std::ifstream in(host_path, std::ios::binary);
    if (!in) return PosixError(host_path, errno);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  Result<std::unique_ptr<std::ostream>> CreateOutputFile(const std::string& host_path) override {
    auto out = std::make_unique<std::ofstream>(host_path, std::ios::binary | std::ios::trunc);
    if (!*out) return PosixError(host_path, errno);
    return std::unique_ptr<std::ostream>(std::move(out));
  }

 private:
  // A new store is seeded with the user's folders; a store that cannot be opened leaves the
  // registry unset.
  void OpenRegistry() {
    const bool new_store = access(profile_.registry_file.c_str(), F_OK) != 0;
    Result<RegistryFile> registry = RegistryFile::Open(profile_.registry_file, code_page_);
    if (!registry.ok()) return;
    registry_ = std::move(registry).value();
    if (new_store) SeedShellFolders(*registry_, drives_, code_page_);
  }

  HostProfile profile_;
  CodePage code_page_;
  HostSystem system_;
  std::string home_dir_;
  std::string start_dir_;
  PosixFileSystem fs_;
  PosixShellLinkMaker links_;
  PosixProcessRunner processes_;
  std::optional<PosixPathSearch> search_;
  DriveMap drives_;
  std::once_flag registry_opened_;
  std::optional<RegistryFile> registry_;
};

}  // namespace

Result<std::unique_ptr<Host>> CreateHost(const std::optional<std::string>& profile_path,
                                         const std::optional<std::string>& start_host_dir) {
  std::string home = HomeDirectory();
  HostProfile profile;
  if (profile_path) {
    Result<HostProfile> loaded = LoadHostProfile(*profile_path);
    if (!loaded.ok()) return loaded.status();
    profile = std::move(loaded).value();
  } else {
    profile = DefaultHostProfile(home);
  }

  Result<CodePage> code_page = CodePage::Load(profile.code_page);
  if (!code_page.ok()) return code_page.status();

  DriveMap drives;
  for (const auto& drive : profile.drives) drives.Map(drive.letter, drive.host_root, drive.type);

  const std::string start_host = start_host_dir ? *start_host_dir : CurrentHostDirectory();
  Result<std::string> resolved = RealHostPath(start_host);
  if (!resolved.ok()) {
    return Status::Error(WinError::PathNotFound, start_host,
                         "cannot use the start directory: " + resolved.status().message(),
                         resolved.status().os_errno());
  }
  std::optional<std::string> start = drives.MapStartDirectory(*resolved, *code_page);
  if (!start) {
    return Status::Error(WinError::InvalidDrive, *resolved,
                         "no free drive letter is left to map the start directory");
  }
  return std::unique_ptr<Host>(std::make_unique<PosixHost>(
      std::move(profile), std::move(code_page).value(), std::move(home), drives, *start));
}

}  // namespace setup
