#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace setup::testing {

// What goes into a synthesized 16-bit (NE) file with a version resource.
struct NeLayout {
  // The FileVersion string; unset: the file has no version resource (only an icon group).
  std::optional<std::string> file_version = "1.2.3";
  std::string table = "040904E4";
  uint16_t version_name_id = 1;
  uint16_t alignment_shift = 4;
  // Bytes between the resource table and the version block (rounded up to the alignment).
  size_t gap = 0;
  // Length of a ProductName string placed before FileVersion, to make the block larger.
  size_t product_name_length = 10;
};

// A minimal NE file and where its structures sit (file offsets).
struct NeImage {
  std::string bytes;
  size_t e_lfanew_at = 0x3C;
  size_t ne_header = 0;
  size_t resource_table = 0;  // the alignment shift, then the types
  size_t first_type = 0;      // the icon group type, before the version type
  size_t version_type = 0;    // 0 without a version resource
  size_t version_name = 0;    // the version resource's 12-byte entry
  size_t version_block = 0;
};

NeImage BuildNeImage(const NeLayout& layout);

}  // namespace setup::testing
