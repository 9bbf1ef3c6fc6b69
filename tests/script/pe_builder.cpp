#include "pe_builder.h"

#include <vector>

namespace setup::testing {
namespace {

constexpr uint32_t SECTION_RVA = 0x1000;

void Pad4(std::string& bytes) {
  while (bytes.size() % 4 != 0) bytes.push_back('\0');
}

std::string Utf16z(const std::string& text) {
  std::string out;
  for (char c : text) {
    out.push_back(c);
    out.push_back('\0');
  }
  out.append(2, '\0');
  return out;
}

// One node of a version block: length, value length, type, key, value, children.
std::string Node(const std::string& key, const std::string& value, uint16_t value_length,
                 uint16_t type, const std::vector<std::string>& children) {
  std::string node(6, '\0');
  node += Utf16z(key);
  Pad4(node);
  node += value;
  for (const auto& child : children) {
    Pad4(node);
    node += child;
  }
  PutLe16(node, 0, static_cast<uint16_t>(node.size()));
  PutLe16(node, 2, value_length);
  PutLe16(node, 4, type);
  return node;
}

std::string TextNode(const std::string& key, const std::string& text) {
  return Node(key, Utf16z(text), static_cast<uint16_t>(text.size() + 1), 1, {});
}

std::string VersionBlock(const PeLayout& layout) {
  std::string fixed(52, '\0');
  PutLe32(fixed, 0, 0xFEEF04BD);
  PutLe32(fixed, 4, 0x00010000);
  std::string table = Node(layout.table, "", 0, 1,
                           {TextNode("ProductName", std::string(layout.product_name_length, 'P')),
                            TextNode("FileVersion", *layout.file_version)});
  std::string string_info = Node("StringFileInfo", "", 0, 1, {table});
  std::string translation("\x09\x04\xE4\x04", 4);
  std::string var_info =
      Node("VarFileInfo", "", 0, 1, {Node("Translation", translation, 4, 0, {})});
  return Node("VS_VERSION_INFO", fixed, 52, 0, {string_info, var_info});
}

}  // namespace

void PutLe16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutLe32(std::string& bytes, size_t at, uint32_t value) {
  PutLe16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
  PutLe16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

PeImage BuildPeImage(const PeLayout& layout) {
  PeImage image;
  std::string& b = image.bytes;
  b.assign(layout.section_file_offset, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  PutLe32(b, 0x3C, 0x40);
  b.replace(0x40, 4, std::string("PE\0\0", 4));
  const size_t coff = 0x44;
  PutLe16(b, coff, 0x14C);
  PutLe16(b, coff + 2, 1);
  const uint16_t optional_size = 224;
  PutLe16(b, coff + 16, optional_size);
  const size_t optional = coff + 20;
  PutLe16(b, optional, 0x10B);
  const size_t count_at = optional + 92;
  PutLe32(b, count_at, 16);
  const size_t directories = count_at + 4;

  // The resource section: three directory levels, one data entry, the version block.
  std::string section;
  if (layout.file_version) {
    section.assign(88, '\0');
    PutLe16(section, 14, 1);  // root: one id entry
    PutLe32(section, 16, 16);
    PutLe32(section, 20, 0x80000000u | 24);
    PutLe16(section, 24 + 14, 1);  // type 16: one name
    PutLe32(section, 24 + 16, layout.version_name_id);
    PutLe32(section, 24 + 20, 0x80000000u | 48);
    PutLe16(section, 48 + 14, 1);  // name: one language, a leaf
    PutLe32(section, 48 + 16, 0x409);
    PutLe32(section, 48 + 20, 72);
    std::string block = VersionBlock(layout);
    PutLe32(section, 72, SECTION_RVA + 88);
    PutLe32(section, 76, static_cast<uint32_t>(block.size()));
    PutLe32(section, 80, 1252);
    section += block;
    PutLe32(b, directories + 16, SECTION_RVA);
    PutLe32(b, directories + 20, static_cast<uint32_t>(section.size()));
  } else {
    section.assign(16, '\0');
  }
  while (section.size() % 0x200 != 0) section.push_back('\0');

  const size_t header = optional + optional_size;
  b.replace(header, 8, std::string(".rsrc\0\0\0", 8));
  PutLe32(b, header + 8, static_cast<uint32_t>(section.size()));
  PutLe32(b, header + 12, SECTION_RVA);
  PutLe32(b, header + 16, static_cast<uint32_t>(section.size()));
  PutLe32(b, header + 20, layout.section_file_offset);

  image.resource_root = layout.section_file_offset;
  image.type_directory = image.resource_root + 24;
  image.name_directory = image.resource_root + 48;
  image.data_entry = image.resource_root + 72;
  image.version_block = image.resource_root + 88;
  b += section;
  return image;
}

}  // namespace setup::testing
