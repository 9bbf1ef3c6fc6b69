#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_types.h"
#include "platform/status.h"

namespace setup {

// The two lines of the original platform: the consumer line (identifier 1) and NT (2).
enum class PlatformLine { Windows = 1, NT = 2 };

// What a host profile file says: which host directories are which drives, and the facts of
// the simulated system. Paths in [System] are Windows paths; Registry is a host path.
struct HostProfile {
  struct DriveEntry {
    char letter = 'C';
    std::string host_root;
    DriveType type = DriveType::Fixed;
    int line = 0;
  };

  std::vector<DriveEntry> drives;
  std::string windows_dir = "C:\\.local\\share\\setup\\windows";
  std::optional<std::string> system_dir;  // default: windows_dir + "\SYSTEM"
  std::string registry_file;              // host path; default in DefaultHostProfile
  PlatformLine platform = PlatformLine::NT;
  int code_page = 1252;
  // Whether the NT rights check passes; unset means "when the registry file is writable".
  std::optional<bool> service_manager;

  std::string SystemDir() const { return system_dir ? *system_dir : windows_dir + "\\SYSTEM"; }
};

// The profile used without --profile: C is `home` (fixed), the registry file is
// `home`/.local/share/setup/registry.reg.
HostProfile DefaultHostProfile(const std::string& home);

// Parses the profile text; `file_name` names the file in messages, which have the form
// "FILE:LINE: problem". Relative drive directories are taken relative to the profile's
// directory. Every drive directory must exist.
Result<HostProfile> ParseHostProfile(const std::string& text, const std::string& file_name);
// Reads and parses a profile file from the host.
Result<HostProfile> LoadHostProfile(const std::string& host_path);

}  // namespace setup
