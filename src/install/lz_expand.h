#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/status.h"
#include "script/content_hash.h"

namespace setup {

// The expanding copy. A source in the SZDD format ("SZDD\x88\xF0\x27\x33", mode 'A', the
// replaced last character of the name, the 32-bit little-endian expanded length, then LZSS
// data over a 4096-byte window) is expanded; any other source is copied unchanged.
//
// ExpandStream reads `source` to its end and writes the result to `destination` without
// committing it; memory use is bounded whatever the size of the data. It fails with
// HandleEof when the compressed data ends early (a cut header, half a match, or fewer bytes
// than the header announces) and with InvalidData for an unknown mode or for data that
// expands past the announced length (a wrong length field or garbage after the stream).
// Decoding failures carry `source_name` as their path; read and write failures come back as
// the files report them.
Status ExpandStream(ReadableFile& source, WritableFile& destination,
                    const std::string& source_name);

// Expands (or copies) the file `source` to `destination` through `fs`. The destination is
// replaced only by a complete, valid result: on any failure it keeps its earlier contents, or
// stays absent. `hash`, when given, takes in every byte written.
Status ExpandFile(FileSystem& fs, const std::string& source, const std::string& destination,
                  ContentHash* hash = nullptr);

}  // namespace setup
