#include "package/GlyphResources.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace Quillmereall {
namespace {

constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kPaletteSize = 16 * 4;

// Rows of 4-bit pixels are padded to whole 32-bit words.
constexpr std::size_t RowBytes(std::size_t width) {
    return (width * 4 + 31) / 32 * 4;
}

// The standard 16-colour palette, as red, green, blue.
constexpr std::uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

constexpr std::uint8_t HexDigit(char c) {
    return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
}

// A packed DIB from the image's rows, top row first, one hexadecimal digit a pixel: the
// 40-byte header (positive height, so the rows are stored bottom row first; 1 plane; 4 bits;
// no compression; the image size; resolutions and colour counts 0), the palette as blue,
// green, red, 0, then the rows, the left pixel of each byte in its high four bits.
template <std::size_t W, std::size_t H>
constexpr auto MakeDib(const char* const (&rows)[H]) {
    constexpr std::size_t imageSize = RowBytes(W) * H;
    std::array<std::uint8_t, kHeaderSize + kPaletteSize + imageSize> dib{};
    auto put32 = [&dib](std::size_t at, std::uint32_t v) {
        for (std::size_t i = 0; i < 4; ++i) dib[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put32(0, kHeaderSize);
    put32(4, W);
    put32(8, H);
    dib[12] = 1;  // planes
    dib[14] = 4;  // bits per pixel
    put32(20, imageSize);
    for (std::size_t i = 0; i < 16; ++i) {
        dib[kHeaderSize + 4 * i + 0] = kPalette[i][2];
        dib[kHeaderSize + 4 * i + 1] = kPalette[i][1];
        dib[kHeaderSize + 4 * i + 2] = kPalette[i][0];
    }
    for (std::size_t y = 0; y < H; ++y) {
        const std::size_t row = kHeaderSize + kPaletteSize + (H - 1 - y) * RowBytes(W);
        for (std::size_t x = 0; x < W; ++x) {
            const std::uint8_t index = HexDigit(rows[y][x]);
            dib[row + x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
    }
    return dib;
}

// Silver (7) is the background of all four.
constexpr const char* kBmpOn[14] = {
    "77777777777777", "77777777777772", "77888888888728", "77877777777287", "77877777772877",
    "77877777728F77", "77877777287F77", "72877772877F77", "22277722877F77", "72227228777F77",
    "77222287777F77", "7772228FFFFF77", "77772877777777", "77777777777777",
};
constexpr const char* kBmpOff[14] = {
    "77777777777777", "77777777777777", "77666666666E77", "77677777777F77", "77677777777F77",
    "77677777777F77", "77677777777F77", "77677777777F77", "77677777777F77", "77677777777F77",
    "77677777777F77", "77677777777F77", "77EFFFFFFFFF77", "77777777777777",
};
constexpr const char* kRadOn[13] = {
    "7777888877777", "7780000008777", "7808FFFFF0877", "708FF888FF877", "80FF00000FF8F",
    "80F8000008F8F", "80F8000008F8F", "80F8000008F8F", "70FF00000FF8F", "780FF888FF8F7",
    "7788FFFFF87F7", "777788888FF77", "7777FFFFF7777",
};
constexpr const char* kRadOff[13] = {
    "7777888877777", "7780000008777", "7808FFFFF0877", "708FFFFFFF877", "80FFFFFFFFF8F",
    "80FFFFFFFFF8F", "80FFFFFFFFF8F", "80FFFFFFFFF8F", "70FFFFFFFFF8F", "780FFFFFFF8F7",
    "7788FFFFF87F7", "777788888FF77", "7777FFFFF7777",
};

constexpr auto kQelBmpOn = MakeDib<14>(kBmpOn);
constexpr auto kQelBmpOff = MakeDib<14>(kBmpOff);
constexpr auto kQelRadOn = MakeDib<13>(kRadOn);
constexpr auto kQelRadOff = MakeDib<13>(kRadOff);

template <std::size_t N>
TResourceEntry Bitmap(const char* name, const std::array<std::uint8_t, N>& dib) {
    return TResourceEntry{RT_BITMAP, name, kLangEnglishUS, dib.data(), dib.size()};
}

}  // namespace

std::vector<TResourceEntry> GlyphResources() {
    return {
        Bitmap("QELBMPON", kQelBmpOn),
        Bitmap("QELBMPOFF", kQelBmpOff),
        Bitmap("QELRADON", kQelRadOn),
        Bitmap("QELRADOFF", kQelRadOff),
    };
}

}  // namespace Quillmereall
