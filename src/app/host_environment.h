#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/code_page.h"
#include "platform/host_profile.h"
#include "platform/host_system.h"
#include "platform/posix_file_system.h"
#include "platform/registry_file.h"
#include "platform/status.h"

namespace setup {

// The host side of one run: the profile, the file system over its drive map with the start
// directory current, the system facts and the registry store.
struct HostEnvironment {
  HostProfile profile;
  CodePage code_page;
  HostSystem system;
  std::unique_ptr<PosixFileSystem> fs;
  // Unset when the registry file cannot be read; the shell folders then report it.
  std::optional<RegistryFile> registry;
  std::string registry_error;
  // The start directory as a Windows path, without a trailing backslash (except at a root).
  std::string start_dir;
};

// Builds the environment from the profile file (nullopt: the default profile over $HOME) and
// the host directory to start in. Profile errors come back as a Status whose message names
// the file and line.
Result<std::unique_ptr<HostEnvironment>> BuildHostEnvironment(
    const std::optional<std::string>& profile_path, const std::string& start_host_dir);

}  // namespace setup
