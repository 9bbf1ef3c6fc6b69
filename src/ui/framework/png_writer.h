#pragma once

#include <cstdint>
#include <vector>

namespace setup {

// A PNG file of a picture, made without any library: 8 bits a channel, RGB when every pixel
// is opaque, else RGBA (straight alpha); the image data deflated (ZlibCompress).
// `argb_pixels` holds width * height pixels, row-major, each 0xAARRGGBB. Returns no bytes
// when the size is not positive or too large for one PNG.
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* argb_pixels);

}  // namespace setup
