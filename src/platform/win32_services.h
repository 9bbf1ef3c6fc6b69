#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/host_system.h"
#include "platform/instance_lock.h"
#include "platform/path_search.h"
#include "platform/process_runner.h"
#include "platform/shell_link_maker.h"
#include "platform/win32_file_system.h"

namespace setup {

// Starts a program by CreateProcess with a command line that the C runtime splits back into
// exactly the arguments given, in the file system's current directory.
class Win32ProcessRunner : public ProcessRunner {
 public:
  Win32ProcessRunner(Win32FileSystem& fs, const CodePage& code_page)
      : fs_(fs), code_page_(code_page) {}
  ProcessRun RunAndWait(const std::string& program,
                        const std::vector<std::string>& arguments) override;

 private:
  Win32FileSystem& fs_;
  const CodePage& code_page_;
};

// Shortcuts as the shell makes them: a .lnk file written through IShellLinkW.
class Win32ShellLinkMaker : public ShellLinkMaker {
 public:
  Win32ShellLinkMaker(Win32FileSystem& fs, const CodePage& code_page)
      : fs_(fs), code_page_(code_page) {}
  Status CreateLink(const std::string& target, const std::string& link_file,
                    const std::string& description) override;

 private:
  Win32FileSystem& fs_;
  const CodePage& code_page_;
};

// A named mutex in the session's namespace: it exists while one copy runs.
class Win32InstanceLock : public InstanceLock {
 public:
  Win32InstanceLock() = default;
  ~Win32InstanceLock() override;
  Win32InstanceLock(const Win32InstanceLock&) = delete;
  Win32InstanceLock& operator=(const Win32InstanceLock&) = delete;
  Result<bool> TryAcquire() override;

 private:
  void* mutex_ = nullptr;
};

// The search order of the system: the program's directory, the current directory, the
// System and Windows directories, then PATH; the host directories (program, PATH) are
// looked in directly, the others through the file system.
class Win32PathSearch : public PathSearch {
 public:
  Win32PathSearch(Win32FileSystem& fs, const HostSystem& system, const CodePage& code_page);
  bool FindOnPath(const std::string& file_name) override;

 private:
  bool InHostDirectory(const std::wstring& host_dir, const std::string& file_name) const;

  Win32FileSystem& fs_;
  const HostSystem& system_;
  const CodePage& code_page_;
  std::wstring program_dir_;
  std::vector<std::wstring> path_dirs_;
};

// Whether the user may change the system's settings: the service control manager opens
// with read, write and execute access.
bool CanOpenServiceManager();

}  // namespace setup
