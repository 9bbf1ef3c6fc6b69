#pragma once

#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace setup {

// Reading parts of a file that can only be read forward, such as a program file whose headers
// say where the rest of what is wanted lies. May throw std::bad_alloc.

// The first `n` bytes of `file` (fewer when it ends first or a read fails); the file then
// stands just past them.
std::string ReadFileStart(ReadableFile& file, uint64_t n);

// The `size` bytes from `start` of a file whose first bytes are `head`, the file standing just
// past them; fewer when the file ends first or a read fails. Reads on only as far as needed.
std::string ReadFileSpan(ReadableFile& file, const std::string& head, uint64_t start,
                         uint64_t size);

}  // namespace setup
