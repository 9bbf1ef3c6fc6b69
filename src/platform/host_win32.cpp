#include <windows.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/host.h"
#include "platform/host_paths.h"
#include "platform/local_time.h"
#include "platform/long_path_win32.h"
#include "platform/status_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/win32_file_system.h"
#include "platform/win32_registry.h"
#include "platform/win32_services.h"

namespace setup {

namespace {

using DirectoryQuery = UINT(WINAPI*)(LPWSTR, UINT);

// A system directory as a Windows path in the disc's code page.
std::string SystemDirectory(DirectoryQuery query, const CodePage& code_page) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = query(buffer, MAX_PATH);
  if (length == 0 || length > MAX_PATH) return "C:\\WINDOWS";
  return NarrowText(std::wstring_view(buffer, length), static_cast<unsigned>(code_page.number()));
}

std::string ModuleFileName() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return NarrowText(path, SystemAnsiCodePage());
}

std::string HomeDirectory() {
  wchar_t buffer[32768] = {};
  const DWORD length = GetEnvironmentVariableW(L"USERPROFILE", buffer, 32768);
  if (length == 0 || length >= 32768) return "C:\\";
  return NarrowText(std::wstring_view(buffer, length), SystemAnsiCodePage());
}

bool IsConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

class Win32Host : public Host {
 public:
  Win32Host(HostProfile profile, CodePage code_page, std::string home_dir, DriveMap drives,
            std::string start_dir)
      : profile_(std::move(profile)),
        code_page_(std::move(code_page)),
        home_dir_(std::move(home_dir)),
        start_dir_(std::move(start_dir)),
        fs_(drives, code_page_, start_dir_),
        registry_(code_page_),
        processes_(fs_, code_page_),
        links_(fs_, code_page_) {
    system_.platform = profile_.platform;
    if (drives.LogicalDrives() != 0) {
      system_.windows_dir = profile_.windows_dir;
      system_.system_dir = profile_.SystemDir();
    } else {
      system_.windows_dir = SystemDirectory(GetWindowsDirectoryW, code_page_);
      system_.system_dir = SystemDirectory(GetSystemDirectoryW, code_page_);
    }
    system_.module_file = ModuleFileName();
    system_.can_open_service_manager = profile_.service_manager.value_or(CanOpenServiceManager());
    search_.emplace(fs_, system_, code_page_);
  }

  const HostProfile& profile() const override { return profile_; }
  const CodePage& code_page() const override { return code_page_; }
  const HostSystem& system() const override { return system_; }
  const std::string& home_dir() const override { return home_dir_; }
  const std::string& start_dir() const override { return start_dir_; }
  // Every interactive session has its desktop.
  bool DisplayAvailable() const override { return true; }
  bool IsInteractiveTerminal() const override { return IsConsole(STD_INPUT_HANDLE); }
  bool StandardErrorIsTerminal() const override { return IsConsole(STD_ERROR_HANDLE); }

  FileSystem& file_system() override { return fs_; }
  Registry* registry() override { return &registry_; }
  ProcessRunner& processes() override { return processes_; }
  ShellLinkMaker& links() override { return links_; }
  PathSearch& path_search() override { return *search_; }

  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  FileTime ToLocalFileTime(FileTime utc) const override { return FileTimeToLocalFileTime(utc); }
  std::unique_ptr<InstanceLock> NewInstanceLock() override {
    return std::make_unique<Win32InstanceLock>();
  }
  Result<std::string> ReadWholeFile(const std::string& host_path) override {
    std::ifstream in(HostFile(host_path), std::ios::binary);
    if (!in) return LastWin32Error(host_path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  Result<std::unique_ptr<std::ostream>> CreateOutputFile(const std::string& host_path) override {
    auto out =
        std::make_unique<std::ofstream>(HostFile(host_path), std::ios::binary | std::ios::trunc);
    if (!*out) return LastWin32Error(host_path);
    return std::unique_ptr<std::ostream>(std::move(out));
  }

 private:
  static std::filesystem::path HostFile(const std::string& host_path) {
    return std::filesystem::path(WidenText(host_path, SystemAnsiCodePage()));
  }

  HostProfile profile_;
  CodePage code_page_;
  HostSystem system_;
  std::string home_dir_;
  std::string start_dir_;
  Win32FileSystem fs_;
  Win32Registry registry_;
  Win32ProcessRunner processes_;
  Win32ShellLinkMaker links_;
  std::optional<Win32PathSearch> search_;
};

// The start directory's Windows path: on the machine's own drives its full path, on mapped
// drives the path below the drive that holds it (or a new drive for it).
std::optional<std::string> StartDirectory(const std::string& host_dir, DriveMap& drives,
                                          const CodePage& code_page) {
  // The drive map compares host paths in their generic form, with forward slashes.
  if (drives.LogicalDrives() != 0) {
    return drives.MapStartDirectory(std::filesystem::path(host_dir).generic_string(), code_page);
  }
  const std::wstring wide = WidenText(host_dir, SystemAnsiCodePage());
  return NarrowText(WithoutLongPathPrefix(wide), static_cast<unsigned>(code_page.number()));
}

}  // namespace

// On Windows the machine's own drives, Windows directory and registry are used; a profile
// that maps drives puts them onto folders (and then its WindowsDir and SystemDir apply), and
// its Platform, CodePage and ServiceManager apply always. Without a profile the disc's code
// page is the system's ANSI code page.
Result<std::unique_ptr<Host>> CreateHost(const std::optional<std::string>& profile_path,
                                         const std::optional<std::string>& start_host_dir) {
  std::string home = HomeDirectory();
  HostProfile profile;
  if (profile_path) {
    Result<HostProfile> loaded = LoadHostProfile(*profile_path);
    if (!loaded.ok()) return loaded.status();
    profile = std::move(loaded).value();
  } else {
    profile.code_page = static_cast<int>(SystemAnsiCodePage());
  }

  Result<CodePage> code_page = CodePage::Load(profile.code_page);
  if (!code_page.ok()) return code_page.status();

  DriveMap drives;
  for (const auto& drive : profile.drives) {
    drives.Map(drive.letter, std::filesystem::path(drive.host_root).generic_string(), drive.type);
  }

  const std::string start_host = start_host_dir ? *start_host_dir : CurrentHostDirectory();
  Result<std::string> resolved = RealHostPath(start_host);
  if (!resolved.ok()) {
    return Status::Error(WinError::PathNotFound, start_host,
                         "cannot use the start directory: " + resolved.status().message(),
                         resolved.status().os_errno());
  }
  std::optional<std::string> start = StartDirectory(*resolved, drives, *code_page);
  if (!start) {
    return Status::Error(WinError::InvalidDrive, *resolved,
                         "no free drive letter is left to map the start directory");
  }
  return std::unique_ptr<Host>(std::make_unique<Win32Host>(
      std::move(profile), std::move(code_page).value(), std::move(home), drives, *start));
}

}  // namespace setup
