// Windows BMP files and device-independent bitmaps: reading every common variant with every
// length checked against the bytes there are, and writing them back in their own format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "gdi/TBitmapImage.h"

// A bitmap that cannot be read; the message says where in the data and what was wrong.
class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace BmpCodec {

// The largest image a reader accepts, in pixels; larger ones are refused before allocating.
constexpr std::uint64_t kMaxPixels = 32ull * 1024 * 1024;

// A whole .bmp file (starting with "BM").
TBitmapImage DecodeFile(const std::uint8_t* data, std::size_t size);
// A packed device-independent bitmap: header, colour table, pixels (a bitmap resource).
TBitmapImage DecodeDib(const std::uint8_t* data, std::size_t size);
// A .bmp file in the image's own bit depth and colour table.
std::vector<std::uint8_t> EncodeFile(const TBitmapImage& image);

}  // namespace BmpCodec
