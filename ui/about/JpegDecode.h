#pragma once
// Decoding a JPEG picture (the About window's banner) into pixels, with the
// Independent JPEG Group's library. Only decompression is used.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace quickdex {

// A JPEG that cannot be decoded: corrupt, cut short, or not a JPEG at all.
class JpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // rows top to bottom, 3 bytes a pixel: red, green, blue

    const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// Greyscale pictures come out as RGB too. Throws JpegError with the
// library's own description of what is wrong; a picture cut short is an
// error, not a picture with a grey bottom.
RgbImage DecodeJpeg(std::span<const std::uint8_t> data);

} // namespace quickdex
