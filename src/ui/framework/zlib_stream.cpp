#include "ui/framework/zlib_stream.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace setup {

namespace {

constexpr size_t WINDOW_SIZE = 32768;
constexpr size_t MIN_MATCH = 3;
constexpr size_t MAX_MATCH = 258;
constexpr int HASH_BITS = 15;
// How many earlier places with the same hash are tried: enough for pictures, bounded time.
constexpr int MAX_CHAIN = 32;
constexpr int END_OF_BLOCK = 256;

constexpr std::array<uint16_t, 29> LENGTH_BASE = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                  15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                  67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> LENGTH_EXTRA = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> DISTANCE_BASE = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> DISTANCE_EXTRA = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                    4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                    9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate's bit order: values from their lowest bit, Huffman codes from their highest.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  void PutBits(uint32_t value, int count) {
    bits_ |= value << pending_;
    pending_ += count;
    while (pending_ >= 8) {
      out_.push_back(static_cast<uint8_t>(bits_));
      bits_ >>= 8;
      pending_ -= 8;
    }
  }
  void PutCode(uint32_t code, int length) {
    uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    PutBits(reversed, length);
  }
  void Flush() {
    if (pending_ > 0) out_.push_back(static_cast<uint8_t>(bits_));
    bits_ = 0;
    pending_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint32_t bits_ = 0;
  int pending_ = 0;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
void PutSymbol(BitWriter& writer, int symbol) {
  if (symbol < 144)
    writer.PutCode(0x30 + symbol, 8);
  else if (symbol < 256)
    writer.PutCode(0x190 + (symbol - 144), 9);
  else if (symbol < 280)
    writer.PutCode(symbol - 256, 7);
  else
    writer.PutCode(0xC0 + (symbol - 280), 8);
}

// The index of the last base not above `value`.
template <size_t N>
size_t BaseIndex(const std::array<uint16_t, N>& bases, size_t value) {
  return static_cast<size_t>(std::upper_bound(bases.begin(), bases.end(), value) - bases.begin()) -
         1;
}

void PutMatch(BitWriter& writer, size_t length, size_t distance) {
  const size_t l = BaseIndex(LENGTH_BASE, length);
  PutSymbol(writer, 257 + static_cast<int>(l));
  writer.PutBits(static_cast<uint32_t>(length - LENGTH_BASE[l]), LENGTH_EXTRA[l]);
  const size_t d = BaseIndex(DISTANCE_BASE, distance);
  writer.PutCode(static_cast<uint32_t>(d), 5);
  writer.PutBits(static_cast<uint32_t>(distance - DISTANCE_BASE[d]), DISTANCE_EXTRA[d]);
}

uint32_t Adler32(const std::vector<uint8_t>& data) {
  constexpr uint32_t MOD = 65521;
  // 5552 bytes is the most that can be summed before the sums may overflow 32 bits.
  constexpr size_t RUN = 5552;
  uint32_t a = 1;
  uint32_t b = 0;
  for (size_t start = 0; start < data.size(); start += RUN) {
    const size_t end = std::min(data.size(), start + RUN);
    for (size_t i = start; i < end; ++i) {
      a += data[i];
      b += a;
    }
    a %= MOD;
    b %= MOD;
  }
  return (b << 16) | a;
}

// The earlier places of each three-byte hash, newest first, within the window.
class MatchFinder {
 public:
  explicit MatchFinder(const std::vector<uint8_t>& data)
      : data_(data), head_(size_t{1} << HASH_BITS, -1), previous_(WINDOW_SIZE, -1) {}

  // Records that the three bytes at `pos` start there.
  void Insert(size_t pos) {
    if (pos + MIN_MATCH > data_.size()) return;
    const size_t hash = Hash(pos);
    previous_[pos % WINDOW_SIZE] = head_[hash];
    head_[hash] = static_cast<int64_t>(pos);
  }

  // The longest earlier repeat of the bytes at `pos` (length 0 when none of MIN_MATCH).
  std::pair<size_t, size_t> Longest(size_t pos) const {
    size_t best_length = 0;
    size_t best_distance = 0;
    if (pos + MIN_MATCH > data_.size()) return {0, 0};
    const size_t limit = std::min(MAX_MATCH, data_.size() - pos);
    int64_t candidate = head_[Hash(pos)];
    for (int chain = 0; candidate >= 0 && chain < MAX_CHAIN; ++chain) {
      const size_t from = static_cast<size_t>(candidate);
      if (pos - from > WINDOW_SIZE) break;
      size_t length = 0;
      while (length < limit && data_[from + length] == data_[pos + length]) ++length;
      if (length > best_length) {
        best_length = length;
        best_distance = pos - from;
        if (length == limit) break;
      }
      candidate = previous_[from % WINDOW_SIZE];
    }
    return best_length >= MIN_MATCH ? std::make_pair(best_length, best_distance)
                                    : std::make_pair(size_t{0}, size_t{0});
  }

 private:
  size_t Hash(size_t pos) const {
    const uint32_t key = static_cast<uint32_t>(data_[pos]) << 16 |
                         static_cast<uint32_t>(data_[pos + 1]) << 8 | data_[pos + 2];
    return (key * 2654435761u) >> (32 - HASH_BITS);
  }

  const std::vector<uint8_t>& data_;
  std::vector<int64_t> head_;
  std::vector<int64_t> previous_;
};

}  // namespace

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out = {0x78, 0x01};  // deflate with a 32 KiB window; 0x7801 % 31 == 0
  BitWriter writer(out);
  writer.PutBits(1, 1);  // the final block
  writer.PutBits(1, 2);  // fixed Huffman codes
  MatchFinder finder(data);
  size_t pos = 0;
  while (pos < data.size()) {
    auto [length, distance] = finder.Longest(pos);
    if (length == 0) {
      PutSymbol(writer, data[pos]);
      finder.Insert(pos++);
      continue;
    }
    PutMatch(writer, length, distance);
    for (size_t end = pos + length; pos < end; ++pos) finder.Insert(pos);
  }
  PutSymbol(writer, END_OF_BLOCK);
  writer.Flush();
  const uint32_t check = Adler32(data);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(check >> shift));
  return out;
}

}  // namespace setup
