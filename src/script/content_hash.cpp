#include "script/content_hash.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

namespace setup {

namespace {

constexpr uint64_t PRIME1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t PRIME2 = 0xC2B2AE3D27D4EB4FULL;
constexpr uint64_t PRIME3 = 0x165667B19E3779F9ULL;
constexpr uint64_t PRIME4 = 0x85EBCA77C2B2AE63ULL;
constexpr uint64_t PRIME5 = 0x27D4EB2F165667C5ULL;

uint64_t RotateLeft(uint64_t value, int bits) { return (value << bits) | (value >> (64 - bits)); }

// Little-endian whatever the host; a plain load where the host is little-endian.
uint64_t Read64(const unsigned char* p) {
  uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&value, p, sizeof(value));
  } else {
    for (int i = 7; i >= 0; --i) value = (value << 8) | p[i];
  }
  return value;
}

uint32_t Read32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint64_t Round(uint64_t lane, uint64_t input) {
  lane += input * PRIME2;
  return RotateLeft(lane, 31) * PRIME1;
}

uint64_t MergeRound(uint64_t hash, uint64_t lane) {
  hash ^= Round(0, lane);
  return hash * PRIME1 + PRIME4;
}

}  // namespace

ContentHash::ContentHash() : lanes_{PRIME1 + PRIME2, PRIME2, 0, 0 - PRIME1} {}

void ContentHash::Add(const char* data, size_t n) {
  total_ += n;
  auto* p = reinterpret_cast<const unsigned char*>(data);
  const unsigned char* const end = p + n;
  auto stripe = [this](const unsigned char* q) {
    for (size_t lane = 0; lane < 4; ++lane) {
      lanes_[lane] = Round(lanes_[lane], Read64(q + 8 * lane));
    }
  };
  if (pending_size_ > 0) {
    const size_t take = std::min(STRIPE - pending_size_, n);
    std::memcpy(pending_.data() + pending_size_, p, take);
    pending_size_ += take;
    p += take;
    if (pending_size_ < STRIPE) return;
    stripe(pending_.data());
    pending_size_ = 0;
  }
  for (; end - p >= static_cast<std::ptrdiff_t>(STRIPE); p += STRIPE) stripe(p);
  pending_size_ = static_cast<size_t>(end - p);
  std::memcpy(pending_.data(), p, pending_size_);
}

uint64_t ContentHash::value() const {
  uint64_t hash = 0;
  if (total_ >= STRIPE) {
    hash = RotateLeft(lanes_[0], 1) + RotateLeft(lanes_[1], 7) + RotateLeft(lanes_[2], 12) +
           RotateLeft(lanes_[3], 18);
    for (uint64_t lane : lanes_) hash = MergeRound(hash, lane);
  } else {
    hash = PRIME5;
  }
  hash += total_;
  const unsigned char* p = pending_.data();
  const unsigned char* const end = p + pending_size_;
  for (; end - p >= 8; p += 8) {
    hash ^= Round(0, Read64(p));
    hash = RotateLeft(hash, 27) * PRIME1 + PRIME4;
  }
  if (end - p >= 4) {
    hash ^= static_cast<uint64_t>(Read32(p)) * PRIME1;
    hash = RotateLeft(hash, 23) * PRIME2 + PRIME3;
    p += 4;
  }
  for (; p < end; ++p) {
    hash ^= *p * PRIME5;
    hash = RotateLeft(hash, 11) * PRIME1;
  }
  hash ^= hash >> 33;
  hash *= PRIME2;
  hash ^= hash >> 29;
  hash *= PRIME3;
  hash ^= hash >> 32;
  return hash;
}

Status HashingWritableFile::Write(const char* data, size_t n) {
  Status status = target_.Write(data, n);
  if (status.ok()) hash_.Add(data, n);
  return status;
}

Result<uint64_t> HashFileContents(FileSystem& fs, const std::string& path) {
  Result<std::unique_ptr<ReadableFile>> file = fs.OpenForRead(path);
  if (!file.ok()) return file.status();
  ContentHash hash;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    Result<size_t> got = (*file)->Read(buffer.data(), buffer.size());
    if (!got.ok()) return got.status();
    if (*got == 0) return hash.value();
    hash.Add(buffer.data(), *got);
  }
}

}  // namespace setup
