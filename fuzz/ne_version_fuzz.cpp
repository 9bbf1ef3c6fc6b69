// Arbitrary bytes as a 16-bit (NE) file whose version resource is read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/file_version.h"
#include "script/ne_version.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view image(reinterpret_cast<const char*>(data), size);
  auto text = setup::FindNeVersionString(image, "040904E4", "FileVersion");
  if (text) {
    if (text->size() > 255) __builtin_trap();
    setup::ParseFileVersionText(*text);
  }
  return 0;
}
