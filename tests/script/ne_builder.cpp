#include "ne_builder.h"

#include <vector>

#include "pe_builder.h"

namespace setup::testing {
namespace {

// The file, as the system's loader and version query read it:
//
//   0x00  "MZ" ... e_lfanew (4 bytes at 0x3C) = 0x40
//   0x40  "NE" header, 0x40 bytes; at +0x24 the resource table's offset from it (0x40), at
//         +0x26 the resident-name table's, just past the resource table
//   0x80  resource table: alignment shift (2 bytes), then per type
//           type id (0x8000 | type), count, 4 reserved bytes, and per resource
//           offset >> shift, length >> shift, flags, id (0x8000 | id), 2 reserved words
//         the icon group type (0x800E) with one resource, then the version type (0x8010)
//         with one, then a 0 type id; the resident-name table (an empty one) follows
//   ...   the icon group's bytes, then (after the gap) the version block, each at a multiple
//         of 1 << shift
//
// The version block (16-bit VS_VERSIONINFO), each node: length, value length, the key as
// ANSI text with its NUL, padding to 4, the value, padding to 4, the children:
//   "VS_VERSION_INFO" = VS_FIXEDFILEINFO (52 bytes, signature 0xFEEF04BD)
//     "StringFileInfo"
//       <table>  "ProductName" = "PPP...", "FileVersion" = <file_version> (ANSI with its NUL)
//     "VarFileInfo"
//       "Translation" = 0x0409, 1252

constexpr size_t NE_HEADER = 0x40;
constexpr size_t RESOURCE_TABLE = 0x80;

void Pad4(std::string& bytes) {
  while (bytes.size() % 4 != 0) bytes.push_back('\0');
}

std::string Node(const std::string& key, const std::string& value,
                 const std::vector<std::string>& children) {
  std::string node(4, '\0');
  node += key;
  node.push_back('\0');
  Pad4(node);
  node += value;
  for (const auto& child : children) {
    Pad4(node);
    node += child;
  }
  PutLe16(node, 0, static_cast<uint16_t>(node.size()));
  PutLe16(node, 2, static_cast<uint16_t>(value.size()));
  return node;
}

std::string TextNode(const std::string& key, const std::string& text) {
  return Node(key, text + std::string(1, '\0'), {});
}

std::string VersionBlock(const NeLayout& layout) {
  std::string fixed(52, '\0');
  PutLe32(fixed, 0, 0xFEEF04BD);
  PutLe32(fixed, 4, 0x00010000);
  std::string table = Node(layout.table, "",
                           {TextNode("ProductName", std::string(layout.product_name_length, 'P')),
                            TextNode("FileVersion", *layout.file_version)});
  std::string translation("\x09\x04\xE4\x04", 4);
  return Node("VS_VERSION_INFO", fixed,
              {Node("StringFileInfo", "", {table}),
               Node("VarFileInfo", "", {Node("Translation", translation, {})})});
}

// Appends a type with one resource of `length` bytes at `offset` (multiples of the alignment).
void AddType(std::string& b, uint16_t type_id, uint16_t name_id, size_t offset, size_t length,
             uint16_t shift) {
  const size_t at = b.size();
  b.append(8 + 12, '\0');
  PutLe16(b, at, type_id);
  PutLe16(b, at + 2, 1);
  PutLe16(b, at + 8, static_cast<uint16_t>(offset >> shift));
  PutLe16(b, at + 10, static_cast<uint16_t>((length + (size_t{1} << shift) - 1) >> shift));
  PutLe16(b, at + 12, 0x0030);  // moveable, pure
  PutLe16(b, at + 14, static_cast<uint16_t>(0x8000 | name_id));
}

size_t AlignUp(size_t offset, uint16_t shift) {
  const size_t unit = size_t{1} << shift;
  return (offset + unit - 1) / unit * unit;
}

}  // namespace

NeImage BuildNeImage(const NeLayout& layout) {
  NeImage image;
  image.ne_header = NE_HEADER;
  image.resource_table = RESOURCE_TABLE;
  std::string& b = image.bytes;
  b.assign(RESOURCE_TABLE, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  PutLe32(b, image.e_lfanew_at, NE_HEADER);
  b[NE_HEADER] = 'N';
  b[NE_HEADER + 1] = 'E';
  PutLe16(b, NE_HEADER + 0x24, RESOURCE_TABLE - NE_HEADER);

  const uint16_t shift = layout.alignment_shift;
  const bool versioned = layout.file_version.has_value();
  const std::string icons(32, 'I');
  const std::string block = versioned ? VersionBlock(layout) : std::string();
  const size_t table_size = 2 + (versioned ? 2 : 1) * 20 + 2;
  const size_t icons_at = AlignUp(RESOURCE_TABLE + table_size + 1, shift);
  const size_t block_at = AlignUp(icons_at + icons.size() + layout.gap, shift);

  b.append(2, '\0');
  PutLe16(b, RESOURCE_TABLE, shift);
  image.first_type = b.size();
  AddType(b, 0x800E, 1, icons_at, icons.size(), shift);
  if (versioned) {
    image.version_type = b.size();
    image.version_name = image.version_type + 8;
    image.version_block = block_at;
    AddType(b, 0x8010, layout.version_name_id, block_at, block.size(), shift);
  }
  b.append(2, '\0');
  PutLe16(b, NE_HEADER + 0x26, static_cast<uint16_t>(b.size() - NE_HEADER));
  b.push_back('\0');  // an empty resident-name table

  b.resize(icons_at, '\0');
  b += icons;
  if (versioned) {
    b.resize(block_at, '\0');
    b += block;
  }
  b.resize(AlignUp(b.size(), shift), '\0');
  return image;
}

}  // namespace setup::testing
