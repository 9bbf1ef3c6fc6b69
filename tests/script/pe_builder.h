#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace setup::testing {

// What goes into a synthesized PE image with a version resource.
struct PeLayout {
  // The FileVersion string; unset: the image has no resource directory at all.
  std::optional<std::string> file_version = "1.2.3";
  std::string table = "040904E4";
  uint32_t version_name_id = 1;
  // File offset of the resource section (a multiple of 0x200, at least 0x200).
  uint32_t section_file_offset = 0x200;
  // Length of a ProductName string placed before FileVersion, to make the block larger.
  size_t product_name_length = 10;
};

// A minimal PE image and where its resource structures sit (file offsets).
struct PeImage {
  std::string bytes;
  size_t e_lfanew_at = 0x3C;
  size_t resource_root = 0;
  size_t type_directory = 0;
  size_t name_directory = 0;
  size_t data_entry = 0;
  size_t version_block = 0;
};

PeImage BuildPeImage(const PeLayout& layout);

void PutLe16(std::string& bytes, size_t at, uint16_t value);
void PutLe32(std::string& bytes, size_t at, uint32_t value);

}  // namespace setup::testing
