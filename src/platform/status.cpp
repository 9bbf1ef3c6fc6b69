#include "platform/status.h"

namespace setup {

std::string Status::ToString() const {
  if (ok()) return "OK";
  return "'" + path_ + "': " + message_;
}

}  // namespace setup
