#include "ui/framework/png_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "ui/framework/zlib_stream.h"

namespace setup {

namespace {

constexpr uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t COLOUR_TYPE_RGB = 2;
constexpr uint8_t COLOUR_TYPE_RGBA = 6;
constexpr uint8_t FILTER_NONE = 0;
// PNG keeps every length, and the width and height, below 2^31.
constexpr size_t PNG_LIMIT = 0x7FFFFFFFu;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> CRC_TABLE = MakeCrcTable();

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t c = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) c = CRC_TABLE[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value >> 24));
  out.push_back(static_cast<uint8_t>(value >> 16));
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, const std::vector<uint8_t>& data) {
  PutBigEndian32(out, static_cast<uint32_t>(data.size()));
  const size_t crc_start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian32(out, Crc32(out.data() + crc_start, out.size() - crc_start));
}

// The filtered scanlines: each row is its filter byte, then its pixels' channels.
std::vector<uint8_t> Scanlines(int width, int height, const uint32_t* argb, bool with_alpha) {
  const size_t channels = with_alpha ? 4 : 3;
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * channels));
  for (int y = 0; y < height; ++y) {
    raw.push_back(FILTER_NONE);
    const uint32_t* row = argb + static_cast<size_t>(y) * static_cast<size_t>(width);
    for (int x = 0; x < width; ++x) {
      raw.push_back(static_cast<uint8_t>(row[x] >> 16));
      raw.push_back(static_cast<uint8_t>(row[x] >> 8));
      raw.push_back(static_cast<uint8_t>(row[x]));
      if (with_alpha) raw.push_back(static_cast<uint8_t>(row[x] >> 24));
    }
  }
  return raw;
}

}  // namespace

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* argb_pixels) {
  if (width <= 0 || height <= 0 || argb_pixels == nullptr) return {};
  // The image data must fit one chunk: rows of up to four channels and a filter byte, and
  // deflate's literals take at most 9 bits a byte (checked so that nothing overflows, even
  // with a 32-bit size_t).
  constexpr size_t DATA_LIMIT = PNG_LIMIT / 2;
  if (static_cast<size_t>(width) > (DATA_LIMIT - 1) / 4) return {};
  const size_t row_bytes = 1 + static_cast<size_t>(width) * 4;
  if (row_bytes > DATA_LIMIT / static_cast<size_t>(height)) return {};
  const size_t pixel_count = static_cast<size_t>(width) * static_cast<size_t>(height);
  const bool with_alpha = std::any_of(argb_pixels, argb_pixels + pixel_count,
                                      [](uint32_t p) { return p >> 24 != 0xFF; });

  std::vector<uint8_t> header;
  PutBigEndian32(header, static_cast<uint32_t>(width));
  PutBigEndian32(header, static_cast<uint32_t>(height));
  header.push_back(8);  // bits per channel
  header.push_back(with_alpha ? COLOUR_TYPE_RGBA : COLOUR_TYPE_RGB);
  header.push_back(0);  // compression: deflate
  header.push_back(0);  // filtering: adaptive, per row
  header.push_back(0);  // no interlace

  std::vector<uint8_t> png(std::begin(PNG_SIGNATURE), std::end(PNG_SIGNATURE));
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", ZlibCompress(Scanlines(width, height, argb_pixels, with_alpha)));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace setup
