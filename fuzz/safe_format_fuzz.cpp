// Feeds arbitrary SETUP.TXT texts to the formatter with each argument list a dialog passes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ui/dialogs/safe_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view format(reinterpret_cast<const char*>(data), size);
  using setup::FormatArg;
  const std::string a = setup::SafeFormat(format, {});
  const std::string b = setup::SafeFormat(format, {FormatArg::Str("C:\\Quillby\\READ_ME.TXT")});
  const std::string c = setup::SafeFormat(format, {FormatArg::Chr('C')});
  const std::string d = setup::SafeFormat(format, {FormatArg::Chr('D'), FormatArg::Str("1.50")});
  // Every byte of output comes from the text, an argument or a field of capped width: each
  // conversion adds at most one capped field.
  const size_t bound = (size + 1) * (setup::MAX_FORMAT_FIELD + 32);
  if (a.size() > bound || b.size() > bound || c.size() > bound || d.size() > bound) {
    __builtin_trap();
  }
  return 0;
}
