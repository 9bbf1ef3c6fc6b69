#include "platform/posix_shell_link_maker.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/status_posix.h"

namespace setup {

Status PosixShellLinkMaker::CreateLink(const std::string& target, const std::string& link_file,
                                       const std::string& /*description*/) {
  if (target.empty()) {
    return Status::Error(WinError::InvalidParameter, link_file, "the link has no target");
  }
  auto host_target = fs_.ToHostPath(target);
  if (!host_target.ok()) return host_target.status();
  auto host_link = fs_.ToHostPath(link_file);
  if (!host_link.ok()) return host_link.status();

  std::string temporary = *host_link + ".setup-link-" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(host_target->c_str(), temporary.c_str()) != 0) {
    return PosixError(link_file, errno);
  }
  if (rename(temporary.c_str(), host_link->c_str()) != 0) {
    int error = errno;
    unlink(temporary.c_str());
    return PosixError(link_file, error);
  }
  return Status::Ok();
}

}  // namespace setup
