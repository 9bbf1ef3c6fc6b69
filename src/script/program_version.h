#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace setup {

// The text of "\StringFileInfo\<table>\<key>" in the version resource of a program file, a
// 32- or 64-bit (PE) one or a 16-bit (NE) one, read through `file` from its start: its first
// MAX_PE_HEAD bytes, then only the part that holds the resource. Nothing for any other file.
// May throw std::bad_alloc.
std::optional<std::string> ReadProgramVersionString(ReadableFile& file, std::string_view table,
                                                    std::string_view key);

}  // namespace setup
