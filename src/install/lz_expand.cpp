#include "install/lz_expand.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

namespace setup {
namespace {

constexpr unsigned char SZDD_MAGIC[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t SZDD_HEADER_SIZE = 14;
constexpr size_t SZDD_MODE_OFFSET = 8;
constexpr size_t SZDD_LENGTH_OFFSET = 10;
constexpr unsigned char SZDD_MODE_LZSS = 'A';

constexpr size_t WINDOW_SIZE = 4096;
constexpr unsigned WINDOW_MASK = WINDOW_SIZE - 1;
// The ring position of the first expanded byte.
constexpr unsigned WINDOW_START = WINDOW_SIZE - 16;
constexpr unsigned MIN_MATCH = 3;
constexpr size_t MAX_MATCH = 18;
// A flag byte and its eight items take at most 17 bytes and expand to at most 144.
constexpr size_t GROUP_INPUT = 1 + 8 * 2;
constexpr size_t GROUP_OUTPUT = 8 * MAX_MATCH;
// Reads and writes go through buffers of at most this size, whatever the size of the file,
// and smaller ones for small files, whose copies are many.
constexpr size_t MAX_BUFFER_SIZE = size_t{1} << 20;
constexpr size_t MIN_BUFFER_SIZE = size_t{64} << 10;

size_t BufferSizeFor(uint64_t bytes) {
  return static_cast<size_t>(std::clamp<uint64_t>(bytes, MIN_BUFFER_SIZE, MAX_BUFFER_SIZE));
}

// The source read through one large buffer.
class InputBuffer {
 public:
  InputBuffer(ReadableFile& file, size_t capacity)
      : file_(file),
        capacity_(capacity),
        data_(std::make_unique_for_overwrite<unsigned char[]>(capacity)) {}

  const unsigned char* begin() const { return data_.get() + pos_; }
  size_t available() const { return end_ - pos_; }
  void Consume(size_t n) { pos_ += n; }
  // Moves the read position to `p`, a pointer into the buffered bytes.
  void SeekTo(const unsigned char* p) { pos_ = static_cast<size_t>(p - data_.get()); }

  // Reads until at least `want` bytes (at most GROUP_INPUT) are buffered or the source ends.
  Status Fill(size_t want) {
    if (available() >= want || at_end_) return Status::Ok();
    std::memmove(data_.get(), data_.get() + pos_, available());
    end_ -= pos_;
    pos_ = 0;
    while (end_ < want && !at_end_) {
      const size_t room = capacity_ - end_;
      Result<size_t> n = file_.Read(reinterpret_cast<char*>(data_.get() + end_), room);
      if (!n.ok()) return n.status();
      if (*n > room) return Status::Error(WinError::GenFailure, "", "read past the buffer");
      if (*n == 0) at_end_ = true;
      end_ += *n;
    }
    return Status::Ok();
  }

 private:
  ReadableFile& file_;
  size_t capacity_;
  std::unique_ptr<unsigned char[]> data_;
  size_t pos_ = 0;
  size_t end_ = 0;
  bool at_end_ = false;
};

Status Truncated(const std::string& name, uint64_t produced, uint64_t expected) {
  return Status::Error(WinError::HandleEof, name,
                       "compressed data ends after " + std::to_string(produced) + " of the " +
                           std::to_string(expected) + " bytes its header announces");
}

Status TooLong(const std::string& name, uint64_t expected) {
  return Status::Error(WinError::InvalidData, name,
                       "compressed data expands past the " + std::to_string(expected) +
                           " bytes its header announces (wrong length or trailing garbage)");
}

// Decodes one flag byte and its eight items without checks: the caller guarantees
// GROUP_INPUT bytes of input, GROUP_OUTPUT bytes of room after `out` and at least
// GROUP_OUTPUT bytes still to come before the announced length. A match may copy up to
// MAX_MATCH bytes whatever its length; the excess lies beyond the output and is overwritten.
inline void DecodeGroup(const unsigned char*& in, unsigned char*& out, unsigned& pos) {
  const unsigned char* i = in;
  unsigned char* o = out;
  unsigned flags = *i++;
  if (flags == 0xFF) {
    std::memcpy(o, i, 8);
    i += 8;
    o += 8;
    pos += 8;
  } else {
    for (int item = 0; item < 8; ++item, flags >>= 1) {
      if (flags & 1) {
        *o++ = *i++;
        ++pos;
        continue;
      }
      const unsigned offset = i[0] | ((i[1] & 0xF0u) << 4);
      const unsigned length = (i[1] & 0x0Fu) + MIN_MATCH;
      i += 2;
      // The distance back from the next byte, 1 to 4096: an offset equal to the current ring
      // position names the byte written 4096 bytes ago.
      const size_t distance = ((pos - offset - 1) & WINDOW_MASK) + 1;
      const unsigned char* from = o - distance;
      if (distance >= MAX_MATCH) {
        std::memcpy(o, from, MAX_MATCH);
      } else {
        for (unsigned k = 0; k < length; ++k) o[k] = from[k];
      }
      o += length;
      pos += length;
    }
  }
  in = i;
  out = o;
}

// Expands the LZSS data after the header, which announced `expected` bytes.
Status ExpandLzss(InputBuffer& in, WritableFile& destination, const std::string& name,
                  uint64_t expected) {
  // The last WINDOW_SIZE bytes written (spaces at the start), then room for new output.
  const size_t room_size = BufferSizeFor(expected);
  auto buffer = std::make_unique_for_overwrite<unsigned char[]>(WINDOW_SIZE + room_size);
  std::memset(buffer.get(), ' ', WINDOW_SIZE);
  unsigned char* const room = buffer.get() + WINDOW_SIZE;
  unsigned char* const room_end = room + room_size;
  unsigned char* out = room;
  uint64_t flushed = 0;
  unsigned pos = WINDOW_START;  // ring position of the next byte (low 12 bits)
  unsigned flags = 0;
  int items_left = 0;

  auto flush = [&]() -> Status {
    const size_t n = static_cast<size_t>(out - room);
    if (n == 0) return Status::Ok();
    Status status = destination.Write(reinterpret_cast<const char*>(room), n);
    if (!status.ok()) return status;
    flushed += n;
    std::memmove(buffer.get(), out - WINDOW_SIZE, WINDOW_SIZE);
    out = room;
    return Status::Ok();
  };

  for (;;) {
    if (items_left == 0) {
      if (Status status = in.Fill(GROUP_INPUT); !status.ok()) return status;
      if (static_cast<size_t>(room_end - out) < GROUP_OUTPUT) {
        if (Status status = flush(); !status.ok()) return status;
      }
      const uint64_t produced = flushed + static_cast<uint64_t>(out - room);
      if (in.available() >= GROUP_INPUT && expected - produced >= GROUP_OUTPUT) {
        const unsigned char* i = in.begin();
        DecodeGroup(i, out, pos);
        in.SeekTo(i);
        continue;
      }
      if (in.available() == 0) break;
      flags = *in.begin();
      in.Consume(1);
      items_left = 8;
    }
    // Near the end of the input or of the announced length: one item at a time, checked.
    // The group's input is all buffered and its output fits the room.
    if (in.available() == 0) break;  // unused flag bits after the last item
    const uint64_t produced = flushed + static_cast<uint64_t>(out - room);
    if (flags & 1) {
      if (produced == expected) return TooLong(name, expected);
      *out++ = *in.begin();
      in.Consume(1);
      ++pos;
    } else {
      if (in.available() < 2) return Truncated(name, produced, expected);
      const unsigned char* i = in.begin();
      const unsigned offset = i[0] | ((i[1] & 0xF0u) << 4);
      const unsigned length = (i[1] & 0x0Fu) + MIN_MATCH;
      in.Consume(2);
      if (expected - produced < length) return TooLong(name, expected);
      const size_t distance = ((pos - offset - 1) & WINDOW_MASK) + 1;
      const unsigned char* from = out - distance;
      for (unsigned k = 0; k < length; ++k) out[k] = from[k];
      out += length;
      pos += length;
    }
    flags >>= 1;
    --items_left;
  }
  if (Status status = flush(); !status.ok()) return status;
  if (flushed < expected) return Truncated(name, flushed, expected);
  return Status::Ok();
}

// Writes what is buffered and the rest of the source unchanged.
Status CopyRest(InputBuffer& in, WritableFile& destination) {
  for (;;) {
    if (Status status = in.Fill(1); !status.ok()) return status;
    if (in.available() == 0) return Status::Ok();
    Status status = destination.Write(reinterpret_cast<const char*>(in.begin()), in.available());
    if (!status.ok()) return status;
    in.Consume(in.available());
  }
}

}  // namespace

Status ExpandStream(ReadableFile& source, WritableFile& destination,
                    const std::string& source_name) {
  InputBuffer in(source, BufferSizeFor(source.Size()));
  if (Status status = in.Fill(SZDD_HEADER_SIZE); !status.ok()) return status;
  const unsigned char* header = in.begin();
  if (in.available() < sizeof SZDD_MAGIC ||
      std::memcmp(header, SZDD_MAGIC, sizeof SZDD_MAGIC) != 0) {
    return CopyRest(in, destination);
  }
  if (in.available() < SZDD_HEADER_SIZE) {
    return Status::Error(WinError::HandleEof, source_name, "compressed file header is cut short");
  }
  if (header[SZDD_MODE_OFFSET] != SZDD_MODE_LZSS) {
    return Status::Error(WinError::InvalidData, source_name,
                         "unknown compression mode " +
                             std::to_string(static_cast<unsigned>(header[SZDD_MODE_OFFSET])));
  }
  const unsigned char* length = header + SZDD_LENGTH_OFFSET;
  const uint64_t expected = uint64_t{length[0]} | (uint64_t{length[1]} << 8) |
                            (uint64_t{length[2]} << 16) | (uint64_t{length[3]} << 24);
  in.Consume(SZDD_HEADER_SIZE);
  return ExpandLzss(in, destination, source_name, expected);
}

Status ExpandFile(FileSystem& fs, const std::string& source, const std::string& destination,
                  ContentHash* hash) {
  Result<std::unique_ptr<ReadableFile>> in = fs.OpenForRead(source);
  if (!in.ok()) return in.status();
  Result<std::unique_ptr<WritableFile>> out = fs.CreateForWrite(destination);
  if (!out.ok()) return out.status();
  std::optional<HashingWritableFile> hashing;
  if (hash != nullptr) hashing.emplace(**out, *hash);
  WritableFile& sink = hashing ? static_cast<WritableFile&>(*hashing) : **out;
  // An uncommitted destination is discarded when `out` goes, so a failure leaves nothing.
  if (Status status = ExpandStream(**in, sink, source); !status.ok()) return status;
  return sink.Commit();
}

}  // namespace setup
