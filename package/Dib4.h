// Device-independent bitmaps of 4 bits per pixel in the standard 16-colour palette, made at
// compile time from pictures written as rows of hexadecimal digits, one digit a pixel giving
// its colour index. The package's glyphs, palette bitmaps and icon are all drawn this way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Quillmereall::Dib4 {

constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kPaletteSize = 16 * 4;

// Rows of 4-bit pixels are padded to whole 32-bit words.
constexpr std::size_t RowBytes(std::size_t width) {
    return (width * 4 + 31) / 32 * 4;
}

// The standard 16-colour palette, as red, green, blue.
inline constexpr std::uint8_t kPalette[16][3] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};

// A digit of a picture row. Anything that is not a hexadecimal digit (the icon's '.' for a
// transparent pixel) reads as 0, black.
constexpr std::uint8_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    return 0;
}

// Writes a 32-bit little-endian field.
template <std::size_t N>
constexpr void Put32(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The 40-byte header and the colour table at `at`: positive height, so the rows are stored
// bottom row first; 1 plane; 4 bits; no compression; resolutions and colours used 0 (a 4-bit
// table always holds 16 entries); the palette as blue, green, red, 0.
template <std::size_t N>
constexpr void PutHeader(std::array<std::uint8_t, N>& bytes, std::size_t at, std::uint32_t width,
                         std::uint32_t height, std::uint32_t imageSize,
                         std::uint32_t importantColours) {
    Put32(bytes, at + 0, kHeaderSize);
    Put32(bytes, at + 4, width);
    Put32(bytes, at + 8, height);
    bytes[at + 12] = 1;  // planes
    bytes[at + 14] = 4;  // bits per pixel
    Put32(bytes, at + 20, imageSize);
    Put32(bytes, at + 36, importantColours);
    for (std::size_t i = 0; i < 16; ++i) {
        bytes[at + kHeaderSize + 4 * i + 0] = kPalette[i][2];
        bytes[at + kHeaderSize + 4 * i + 1] = kPalette[i][1];
        bytes[at + kHeaderSize + 4 * i + 2] = kPalette[i][0];
    }
}

// The rows of a picture, top row first, stored from `at` bottom row first, the left pixel of
// each byte in its high four bits.
template <std::size_t W, std::size_t H, std::size_t N>
constexpr void PutRows(std::array<std::uint8_t, N>& bytes, std::size_t at,
                       const char* const (&rows)[H]) {
    for (std::size_t y = 0; y < H; ++y) {
        const std::size_t row = at + (H - 1 - y) * RowBytes(W);
        for (std::size_t x = 0; x < W; ++x) {
            const std::uint8_t index = HexDigit(rows[y][x]);
            bytes[row + x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
    }
}

// A packed DIB, as a bitmap resource holds it: header, colour table, pixel rows.
template <std::size_t W, std::size_t H, std::uint32_t ImportantColours = 0>
constexpr auto MakeDib(const char* const (&rows)[H]) {
    constexpr std::size_t imageSize = RowBytes(W) * H;
    std::array<std::uint8_t, kHeaderSize + kPaletteSize + imageSize> dib{};
    PutHeader(dib, 0, W, H, imageSize, ImportantColours);
    PutRows<W>(dib, kHeaderSize + kPaletteSize, rows);
    return dib;
}

// Rows of a 1-bit mask are padded to whole 32-bit words too.
constexpr std::size_t MaskRowBytes(std::size_t width) {
    return (width + 31) / 32 * 4;
}

// The image of an icon resource: the header with twice the height, for the colour image
// above its mask; the colour table; the colour rows; then the mask rows, both bottom row
// first. A '.' in the picture is a transparent pixel: colour 0 and a set mask bit, so that the
// screen shows through.
template <std::size_t W, std::size_t H>
constexpr auto MakeIconImage(const char* const (&rows)[H]) {
    constexpr std::size_t colourSize = RowBytes(W) * H;
    constexpr std::size_t maskSize = MaskRowBytes(W) * H;
    std::array<std::uint8_t, kHeaderSize + kPaletteSize + colourSize + maskSize> image{};
    PutHeader(image, 0, W, 2 * H, colourSize + maskSize, 0);
    PutRows<W>(image, kHeaderSize + kPaletteSize, rows);
    const std::size_t mask = kHeaderSize + kPaletteSize + colourSize;
    for (std::size_t y = 0; y < H; ++y)
        for (std::size_t x = 0; x < W; ++x)
            if (rows[y][x] == '.')
                image[mask + (H - 1 - y) * MaskRowBytes(W) + x / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
    return image;
}

}  // namespace Quillmereall::Dib4
