#include "graphics/BmpCodec.h"

namespace BmpCodec {

TBitmapImage DecodeFile(const std::uint8_t*, std::size_t) {
    throw EInvalidGraphic("bitmap reading is not available yet");
}

TBitmapImage DecodeDib(const std::uint8_t*, std::size_t) {
    throw EInvalidGraphic("bitmap reading is not available yet");
}

std::vector<std::uint8_t> EncodeFile(const TBitmapImage&) { return {}; }

}  // namespace BmpCodec
