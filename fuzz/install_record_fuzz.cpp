// Feeds arbitrary bytes to the install record reader; whatever it accepts must be written
// back and read again unchanged.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "install/install_record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto entries = setup::ParseInstallRecord(text);
  if (!entries.ok()) return 0;
  auto again = setup::ParseInstallRecord(setup::FormatInstallRecord(*entries));
  if (!again.ok() || *again != *entries) abort();
  return 0;
}
