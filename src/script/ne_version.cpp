#include "script/ne_version.h"

#include <algorithm>

#include "script/little_endian.h"

namespace setup {
namespace {

using little_endian::Align4;
using little_endian::Has;
using little_endian::Le16;
using little_endian::Le32;

constexpr uint16_t RT_VERSION = 0x8010;
constexpr uint16_t VS_VERSION_INFO_ID = 0x8001;
constexpr size_t NE_HEADER_SIZE = 0x40;
constexpr size_t RESOURCE_TABLE_AT = 0x24;
constexpr size_t TYPE_INFO_SIZE = 8;
constexpr size_t NAME_INFO_SIZE = 12;
// Units of 64 KiB already reach 4 GiB from a 16-bit offset: a larger shift is no file's.
constexpr uint16_t MAX_ALIGNMENT_SHIFT = 16;
constexpr size_t MAX_VERSION_TEXT = 255;

// --- The version block: nested nodes of length, value length, ANSI key, value, children ---

struct VersionNode {
  size_t end = 0;
  std::string_view key;
  size_t value = 0;
  size_t children = 0;
};

std::optional<VersionNode> ReadVersionNode(std::string_view block, size_t at, size_t limit) {
  if (limit > block.size() || at > limit || limit - at < 4) return std::nullopt;
  const size_t length = Le16(block, at);
  if (length < 5 || length > limit - at) return std::nullopt;
  VersionNode node;
  node.end = at + length;
  const size_t key = at + 4;
  const size_t key_end = block.substr(0, node.end).find('\0', key);
  if (key_end == std::string_view::npos) return std::nullopt;
  node.key = block.substr(key, key_end - key);
  node.value = Align4(key_end + 1);
  node.children = Align4(node.value + Le16(block, at + 2));
  return node;
}

bool KeyEquals(std::string_view key, std::string_view expected) {
  return std::equal(key.begin(), key.end(), expected.begin(), expected.end(), [](char a, char b) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return upper(a) == upper(b);
  });
}

// The first child of `parent` whose key is `key`.
std::optional<VersionNode> FindChild(std::string_view block, const VersionNode& parent,
                                     std::string_view key) {
  size_t at = parent.children;
  while (at < parent.end) {
    auto child = ReadVersionNode(block, at, parent.end);
    if (!child) return std::nullopt;
    if (KeyEquals(child->key, key)) return child;
    at = Align4(child->end);  // each child is at least 5 bytes: the walk always advances
  }
  return std::nullopt;
}

std::string ReadText(std::string_view block, const VersionNode& node) {
  if (node.value >= node.end) return {};
  std::string_view text = block.substr(node.value, node.end - node.value);
  text = text.substr(0, std::min(text.find('\0'), MAX_VERSION_TEXT));
  return std::string(text);
}

}  // namespace

std::optional<NeVersionResource> LocateNeVersionResource(std::string_view head) {
  if (!Has(head, 0, 64) || head[0] != 'M' || head[1] != 'Z') return std::nullopt;
  const uint64_t ne = Le32(head, 0x3C);
  if (!Has(head, ne, NE_HEADER_SIZE) || head[ne] != 'N' || head[ne + 1] != 'E') {
    return std::nullopt;
  }
  const uint64_t table = ne + Le16(head, ne + RESOURCE_TABLE_AT);
  if (!Has(head, table, 2)) return std::nullopt;
  const uint16_t shift = Le16(head, table);
  if (shift > MAX_ALIGNMENT_SHIFT) return std::nullopt;
  // Each type takes at least its 8 bytes, so the walk ends at the head's end at the latest.
  for (uint64_t type = table + 2; Has(head, type, TYPE_INFO_SIZE);) {
    const uint16_t type_id = Le16(head, type);
    if (type_id == 0) return std::nullopt;
    const uint16_t count = Le16(head, type + 2);
    const uint64_t names = type + TYPE_INFO_SIZE;
    if (type_id == RT_VERSION) {
      for (uint64_t at = names;
           at < names + uint64_t{count} * NAME_INFO_SIZE && Has(head, at, NAME_INFO_SIZE);
           at += NAME_INFO_SIZE) {
        if (Le16(head, at + 6) != VS_VERSION_INFO_ID) continue;
        return NeVersionResource{uint64_t{Le16(head, at)} << shift,
                                 uint64_t{Le16(head, at + 2)} << shift};
      }
      return std::nullopt;
    }
    type = names + uint64_t{count} * NAME_INFO_SIZE;
  }
  return std::nullopt;
}

std::optional<std::string> FindNeVersionStringInBlock(std::string_view block,
                                                      std::string_view table,
                                                      std::string_view key) {
  auto root = ReadVersionNode(block, 0, block.size());
  if (!root || !KeyEquals(root->key, "VS_VERSION_INFO")) return std::nullopt;
  auto string_info = FindChild(block, *root, "StringFileInfo");
  if (!string_info) return std::nullopt;
  auto string_table = FindChild(block, *string_info, table);
  if (!string_table) return std::nullopt;
  auto value = FindChild(block, *string_table, key);
  if (!value) return std::nullopt;
  return ReadText(block, *value);
}

std::optional<std::string> FindNeVersionString(std::string_view image, std::string_view table,
                                               std::string_view key) {
  auto resource = LocateNeVersionResource(image);
  if (!resource) return std::nullopt;
  const size_t size = std::min<uint64_t>(resource->size, MAX_NE_VERSION_BLOCK);
  if (!Has(image, resource->file_offset, size)) return std::nullopt;
  return FindNeVersionStringInBlock(image.substr(resource->file_offset, size), table, key);
}

}  // namespace setup
