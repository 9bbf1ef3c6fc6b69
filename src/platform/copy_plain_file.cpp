#include "platform/file_system.h"

namespace setup {

Status FileSystem::CopyPlainFile(const std::string& from, const std::string& to, bool is_new) {
  const Status copied = is_new ? CopyNewFile(from, to) : CopyFileTo(from, to, false);
  // Clearing fails only where the copy's attributes cannot be written: the copy stands.
  if (copied.ok()) SetAttributes(to, 0);
  return copied;
}

}  // namespace setup
