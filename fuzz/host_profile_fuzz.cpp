// Feeds arbitrary text to the host profile parser: it must either succeed or name the file
// and a line in its message.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/host_profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  auto profile = setup::ParseHostProfile(text, "/tmp/fuzz-profile.ini");
  if (!profile.ok() && profile.status().message().compare(0, 22, "/tmp/fuzz-profile.ini:") != 0) {
    abort();
  }
  return 0;
}
