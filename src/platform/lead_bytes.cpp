#include "platform/lead_bytes.h"

namespace setup {

namespace {

LeadByteSet Ranges(std::initializer_list<std::pair<int, int>> ranges) {
  LeadByteSet leads;
  for (const auto& [first, last] : ranges) {
    for (int b = first; b <= last; ++b) leads.set(static_cast<size_t>(b));
  }
  return leads;
}

}  // namespace

LeadByteSet LeadBytesOf(int code_page) {
  switch (code_page) {
    case 932:
      return Ranges({{0x81, 0x9F}, {0xE0, 0xFC}});
    case 936:
    case 949:
    case 950:
      return Ranges({{0x81, 0xFE}});
    default:
      return {};
  }
}

}  // namespace setup
