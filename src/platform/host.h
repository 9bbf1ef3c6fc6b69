#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/file_types.h"
#include "platform/host_profile.h"
#include "platform/host_system.h"
#include "platform/instance_lock.h"
#include "platform/path_search.h"
#include "platform/process_runner.h"
#include "platform/registry.h"
#include "platform/shell_link_maker.h"
#include "platform/status.h"

namespace setup {

// Everything the program above the platform layer needs from the machine it runs on, for
// one run. The services it hands out live as long as the host; the file system starts with
// the start directory current.
class Host {
 public:
  virtual ~Host() = default;

  // The host profile of the run (the default profile when none was given).
  virtual const HostProfile& profile() const = 0;
  // The disc's ANSI code page, as the profile names it.
  virtual const CodePage& code_page() const = 0;
  // The simulated system's facts; module_file is the host path of the running program.
  virtual const HostSystem& system() const = 0;
  // The user's home directory on the host.
  virtual const std::string& home_dir() const = 0;
  // The start directory as a Windows path, without a trailing backslash (except at a root).
  virtual const std::string& start_dir() const = 0;
  // Whether real windows can be opened: a display server (or a Qt platform) is named in the
  // environment. Says nothing about whether opening one will succeed.
  virtual bool DisplayAvailable() const = 0;
  // Whether standard input is a terminal, so a person can answer questions typed there.
  virtual bool IsInteractiveTerminal() const = 0;
  // Whether standard error is a terminal, where a line can be rewritten in place.
  virtual bool StandardErrorIsTerminal() const = 0;

  // The Windows namespace over the drive map.
  virtual FileSystem& file_system() = 0;
  // The registry; null when it could not be opened (its file unreadable or not a registry).
  virtual Registry* registry() = 0;
  virtual ProcessRunner& processes() = 0;
  virtual ShellLinkMaker& links() = 0;
  virtual PathSearch& path_search() = 0;

  // Blocks the calling thread for at least `milliseconds`.
  virtual void Sleep(int milliseconds) = 0;
  // A UTC file time moved into the host's time zone, with the offset in force at that moment.
  virtual FileTime ToLocalFileTime(FileTime utc) const = 0;
  // A new, not yet acquired lock that every copy of this program file run by this user
  // contends for.
  virtual std::unique_ptr<InstanceLock> NewInstanceLock() = 0;
  // The whole contents of a host file (a path from the command line, not a Windows path).
  // Fails when it cannot be opened.
  virtual Result<std::string> ReadWholeFile(const std::string& host_path) = 0;
  // A stream that writes a host file from its start, created or truncated. Fails when the
  // file cannot be created; write errors afterwards show in the stream's state.
  virtual Result<std::unique_ptr<std::ostream>> CreateOutputFile(const std::string& host_path) = 0;
};

// The host of this machine for a run with the profile file `profile_path` (nullopt: the
// default profile over the home directory), started in the host directory `start_host_dir`
// (nullopt: the process's current directory). A registry file that does not exist yet gets
// the user's shell folders. Fails with the profile's error (its message naming the file and
// line), with PathNotFound when the start directory cannot be resolved, with InvalidDrive
// when no drive letter is left for it, or with the code page's error.
Result<std::unique_ptr<Host>> CreateHost(const std::optional<std::string>& profile_path,
                                         const std::optional<std::string>& start_host_dir);

}  // namespace setup
