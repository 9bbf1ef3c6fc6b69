#include "script/program_version.h"

#include <algorithm>

#include "script/file_span.h"
#include "script/ne_version.h"
#include "script/pe_version.h"

namespace setup {

std::optional<std::string> ReadProgramVersionString(ReadableFile& file, std::string_view table,
                                                    std::string_view key) {
  const std::string head = ReadFileStart(file, MAX_PE_HEAD);
  if (auto section = LocatePeResourceSection(head)) {
    const uint64_t size = std::min<uint64_t>(section->raw_size, MAX_PE_RESOURCE_SECTION);
    return FindVersionStringInSection(ReadFileSpan(file, head, section->file_offset, size),
                                      *section, table, key);
  }
  if (auto resource = LocateNeVersionResource(head)) {
    const uint64_t size = std::min<uint64_t>(resource->size, MAX_NE_VERSION_BLOCK);
    const std::string block = ReadFileSpan(file, head, resource->file_offset, size);
    // A resource the file does not hold in full is none, as in memory.
    if (block.size() < size) return std::nullopt;
    return FindNeVersionStringInBlock(block, table, key);
  }
  return std::nullopt;
}

}  // namespace setup
