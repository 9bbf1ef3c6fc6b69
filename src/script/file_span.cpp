#include "script/file_span.h"

#include <algorithm>
#include <vector>

namespace setup {

namespace {

constexpr size_t CHUNK = 64 * 1024;

// Appends up to `n` bytes of `file` to `out`; stops early at the end or on a read failure.
void ReadInto(ReadableFile& file, std::string& out, uint64_t n) {
  std::vector<char> chunk(CHUNK);
  while (n > 0) {
    auto got = file.Read(chunk.data(), std::min<uint64_t>(n, chunk.size()));
    if (!got.ok() || *got == 0) return;
    out.append(chunk.data(), *got);
    n -= *got;
  }
}

// Reads and discards up to `n` bytes; false when the file ends first.
bool Skip(ReadableFile& file, uint64_t n) {
  std::vector<char> chunk(CHUNK);
  while (n > 0) {
    auto got = file.Read(chunk.data(), std::min<uint64_t>(n, chunk.size()));
    if (!got.ok() || *got == 0) return false;
    n -= *got;
  }
  return true;
}

}  // namespace

std::string ReadFileStart(ReadableFile& file, uint64_t n) {
  std::string head;
  ReadInto(file, head, n);
  return head;
}

std::string ReadFileSpan(ReadableFile& file, const std::string& head, uint64_t start,
                         uint64_t size) {
  std::string span;
  if (start < head.size()) {
    span = head.substr(start, std::min<uint64_t>(size, head.size() - start));
  } else if (!Skip(file, start - head.size())) {
    return span;
  }
  ReadInto(file, span, size - span.size());
  return span;
}

}  // namespace setup
