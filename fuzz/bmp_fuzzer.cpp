// Arbitrary bytes as a bitmap file and as a packed DIB: each must decode or be refused with
// EInvalidGraphic, and what decodes must write out and read back unchanged.
#include "graphics/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (auto decode : {BmpCodec::DecodeFile, BmpCodec::DecodeDib}) {
        try {
            const TBitmapImage image = decode(data, size);
            // Round trips of small images find the same faults as of large ones, sooner.
            if (image.Pixels.Pixels().size() > (1u << 16)) continue;
            const std::vector<std::uint8_t> bytes = BmpCodec::EncodeFile(image);
            if (!(BmpCodec::DecodeFile(bytes.data(), bytes.size()) == image)) __builtin_trap();
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
