#pragma once

#include <string>

#include "platform/host_profile.h"

namespace setup {

// The facts about the running system that the program asks for: its version line, its
// Windows and System directories, its own program file and the rights check.
struct HostSystem {
  PlatformLine platform = PlatformLine::NT;
  std::string windows_dir;  // Windows path, no trailing backslash
  std::string system_dir;   // Windows path, no trailing backslash
  std::string module_file;  // host path of the running program file
  bool can_open_service_manager = true;

  int PlatformId() const { return static_cast<int>(platform); }
};

}  // namespace setup
