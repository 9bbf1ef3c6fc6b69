#include "script/pe_version.h"

#include <algorithm>

#include "script/little_endian.h"

namespace setup {
namespace {

using little_endian::Align4;
using little_endian::Has;
using little_endian::Le16;
using little_endian::Le32;

constexpr uint32_t RT_VERSION = 16;
constexpr uint32_t VS_VERSION_INFO_ID = 1;
constexpr uint32_t HIGH_BIT = 0x80000000u;
constexpr size_t MAX_VERSION_TEXT = 255;

// --- The resource directory tree ---

// The OffsetToData of the entry with numeric `id` in the directory at `dir` (offsets relative
// to the resource root `root`), or of the first entry when `id` is unset.
std::optional<uint32_t> FindResourceEntry(std::string_view section, size_t root, uint32_t dir,
                                          std::optional<uint32_t> id) {
  uint64_t at = static_cast<uint64_t>(root) + dir;
  if (!Has(section, at, 16)) return std::nullopt;
  uint32_t count = static_cast<uint32_t>(Le16(section, at + 12)) + Le16(section, at + 14);
  uint64_t entry = at + 16;
  // An absurd count simply runs into the end of the section.
  for (uint32_t i = 0; i < count && Has(section, entry, 8); ++i, entry += 8) {
    uint32_t name = Le32(section, entry);
    uint32_t target = Le32(section, entry + 4);
    if (!id) return target;
    if ((name & HIGH_BIT) == 0 && (name & 0xFFFF) == *id) return target;
  }
  return std::nullopt;
}

std::optional<std::string_view> FindVersionBlock(std::string_view section,
                                                 const PeResourceSection& location) {
  if (location.resource_rva < location.virtual_address) return std::nullopt;
  uint64_t root = location.resource_rva - location.virtual_address;
  if (!Has(section, root, 16)) return std::nullopt;

  auto type = FindResourceEntry(section, root, 0, RT_VERSION);
  if (!type || (*type & HIGH_BIT) == 0) return std::nullopt;
  auto name = FindResourceEntry(section, root, *type & ~HIGH_BIT, VS_VERSION_INFO_ID);
  if (!name || (*name & HIGH_BIT) == 0) return std::nullopt;
  auto language = FindResourceEntry(section, root, *name & ~HIGH_BIT, std::nullopt);
  if (!language || (*language & HIGH_BIT) != 0) return std::nullopt;

  uint64_t data_entry = root + *language;
  if (!Has(section, data_entry, 16)) return std::nullopt;
  uint32_t data_rva = Le32(section, data_entry);
  uint32_t data_size = Le32(section, data_entry + 4);
  if (data_rva < location.virtual_address) return std::nullopt;
  uint64_t data = data_rva - location.virtual_address;
  if (!Has(section, data, data_size)) return std::nullopt;
  return section.substr(data, data_size);
}

// --- The version block: nested nodes of length, value length, type, key, value, children ---

struct VersionNode {
  size_t end = 0;
  std::u16string key;
  size_t value = 0;
  size_t children = 0;
};

std::optional<VersionNode> ReadVersionNode(std::string_view block, size_t at, size_t limit) {
  if (limit > block.size() || at > limit || limit - at < 6) return std::nullopt;
  size_t length = Le16(block, at);
  if (length < 6 || length > limit - at) return std::nullopt;
  VersionNode node;
  node.end = at + length;
  uint16_t value_length = Le16(block, at + 2);
  uint16_t type = Le16(block, at + 4);
  size_t pos = at + 6;
  for (;; pos += 2) {
    if (pos + 2 > node.end) return std::nullopt;
    char16_t c = Le16(block, pos);
    if (c == 0) break;
    node.key.push_back(c);
  }
  node.value = Align4(pos + 2);
  // Text values count characters, binary ones bytes.
  size_t value_bytes = type == 1 ? size_t{value_length} * 2 : value_length;
  node.children = Align4(node.value + value_bytes);
  return node;
}

bool KeyEquals(const std::u16string& key, std::string_view expected) {
  if (key.size() != expected.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    char16_t a = key[i];
    char16_t b = static_cast<unsigned char>(expected[i]);
    if (a >= 'a' && a <= 'z') a = a - 'a' + 'A';
    if (b >= 'a' && b <= 'z') b = b - 'a' + 'A';
    if (a != b) return false;
  }
  return true;
}

// The first child of `parent` whose key is `key`.
std::optional<VersionNode> FindChild(std::string_view block, const VersionNode& parent,
                                     std::string_view key) {
  size_t at = parent.children;
  while (at < parent.end) {
    auto child = ReadVersionNode(block, at, parent.end);
    if (!child) return std::nullopt;
    if (KeyEquals(child->key, key)) return child;
    at = Align4(child->end);  // each child is at least 6 bytes: the walk always advances
  }
  return std::nullopt;
}

std::string ReadText(std::string_view block, const VersionNode& node) {
  std::string text;
  for (size_t pos = node.value; pos + 2 <= node.end && text.size() < MAX_VERSION_TEXT; pos += 2) {
    char16_t c = Le16(block, pos);
    if (c == 0) break;
    text.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return text;
}

}  // namespace

std::optional<PeResourceSection> LocatePeResourceSection(std::string_view head) {
  if (!Has(head, 0, 64) || head[0] != 'M' || head[1] != 'Z') return std::nullopt;
  uint32_t pe = Le32(head, 0x3C);
  if (!Has(head, pe, 24) || head.substr(pe, 4) != std::string_view("PE\0\0", 4)) {
    return std::nullopt;
  }
  uint64_t coff = uint64_t{pe} + 4;
  uint16_t section_count = Le16(head, coff + 2);
  uint16_t optional_size = Le16(head, coff + 16);
  uint64_t optional = coff + 20;
  if (!Has(head, optional, 2) || optional_size < 2) return std::nullopt;

  uint64_t directories;
  uint64_t directory_count_at;
  switch (Le16(head, optional)) {
    case 0x10B:  // PE32
      directory_count_at = optional + 92;
      directories = optional + 96;
      break;
    case 0x20B:  // PE32+
      directory_count_at = optional + 108;
      directories = optional + 112;
      break;
    default:
      return std::nullopt;
  }
  uint64_t resource_entry = directories + 2 * 8;
  if (resource_entry + 8 > optional + optional_size || !Has(head, resource_entry, 8) ||
      !Has(head, directory_count_at, 4) || Le32(head, directory_count_at) < 3) {
    return std::nullopt;
  }
  uint32_t resource_rva = Le32(head, resource_entry);
  if (resource_rva == 0) return std::nullopt;

  uint64_t table = optional + optional_size;
  for (uint32_t i = 0; i < section_count && Has(head, table + i * 40ull, 40); ++i) {
    uint64_t at = table + i * 40ull;
    uint32_t virtual_size = Le32(head, at + 8);
    uint32_t virtual_address = Le32(head, at + 12);
    uint32_t raw_size = Le32(head, at + 16);
    uint32_t raw_offset = Le32(head, at + 20);
    uint64_t span = std::max(virtual_size, raw_size);
    if (resource_rva >= virtual_address && resource_rva - uint64_t{virtual_address} < span) {
      return PeResourceSection{raw_offset, raw_size, virtual_address, resource_rva};
    }
  }
  return std::nullopt;
}

std::optional<std::string> FindVersionStringInSection(std::string_view section,
                                                      const PeResourceSection& location,
                                                      std::string_view table,
                                                      std::string_view key) {
  auto block = FindVersionBlock(section, location);
  if (!block) return std::nullopt;
  auto root = ReadVersionNode(*block, 0, block->size());
  if (!root || !KeyEquals(root->key, "VS_VERSION_INFO")) return std::nullopt;
  auto string_info = FindChild(*block, *root, "StringFileInfo");
  if (!string_info) return std::nullopt;
  auto string_table = FindChild(*block, *string_info, table);
  if (!string_table) return std::nullopt;
  auto value = FindChild(*block, *string_table, key);
  if (!value) return std::nullopt;
  return ReadText(*block, *value);
}

std::optional<std::string> FindPeVersionString(std::string_view image, std::string_view table,
                                               std::string_view key) {
  auto location = LocatePeResourceSection(image.substr(0, std::min(image.size(), MAX_PE_HEAD)));
  if (!location || location->file_offset > image.size()) return std::nullopt;
  size_t size = std::min<uint64_t>(location->raw_size, MAX_PE_RESOURCE_SECTION);
  return FindVersionStringInSection(image.substr(location->file_offset, size), *location, table,
                                    key);
}

}  // namespace setup
