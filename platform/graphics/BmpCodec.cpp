#include "graphics/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <limits>
#include <unordered_map>

// Reading follows what Windows writes and what careful readers accept:
//
//   file header (14 bytes, "BM")  only in files, not in packed DIBs such as resources
//   info header                   12 (OS/2 1.x), 16 or 64 (OS/2 2.x), 40, 52, 56, 108, 124
//   bit-field masks               after a 40-byte header (52 and up carry them inside)
//   colour table                  1, 2, 4 and 8 bits: 3-byte entries (OS/2 1.x), else 4
//   pixel rows                    bottom row first unless the height is negative, each row
//                                 padded to four bytes; or RLE8 / RLE4 runs
//
// Every count, size and offset is checked against the bytes there are before anything is
// read or allocated; the error names the offset of the field at fault.

namespace BmpCodec {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;

enum TCompression : std::uint32_t {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitFields = 3,
    kBiJpeg = 4,
    kBiPng = 5,
    kBiAlphaBitFields = 6,
};

// No scanner comes near 25,400 dots per inch; a larger resolution is damage, not data.
constexpr std::int64_t kMaxPixelsPerMetre = 1'000'000;

[[noreturn]] void Fail(std::size_t offset, const std::string& what) {
    throw EInvalidGraphic("offset " + std::to_string(offset) + ": " + what);
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

std::string Count(std::uint64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The data being read: little-endian fields, each read only where its bytes are there.
class TBytes {
public:
    TBytes(const std::uint8_t* data, std::size_t size) : FData(data), FSize(data ? size : 0) {}

    std::size_t Size() const { return FSize; }
    std::size_t Remaining(std::size_t offset) const { return offset < FSize ? FSize - offset : 0; }
    const std::uint8_t* At(std::size_t offset) const { return FData + offset; }

    void Need(std::size_t offset, std::uint64_t count, const std::string& what) const {
        if (count > Remaining(offset))
            Fail(offset, "expected " + what + " (" + Count(count, "byte", "bytes") +
                             "), but the data end at offset " + std::to_string(FSize));
    }
    std::uint16_t U16(std::size_t offset) const {
        Need(offset, 2, "a 16-bit field");
        return static_cast<std::uint16_t>(FData[offset] | FData[offset + 1] << 8);
    }
    std::uint32_t U32(std::size_t offset) const {
        Need(offset, 4, "a 32-bit field");
        return static_cast<std::uint32_t>(FData[offset]) | FData[offset + 1] << 8 |
               FData[offset + 2] << 16 | static_cast<std::uint32_t>(FData[offset + 3]) << 24;
    }
    std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
};

// One colour channel of a pixel word: its mask, and how to widen its value to eight bits.
// A field of n bits scales by 255 / (2^n - 1), rounding down, the way Pillow widens 5- and
// 6-bit fields, so that 31 becomes 255 and 16 becomes 131.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit TChannel(std::uint32_t mask = 0) : Mask(mask) {
        if (mask == 0) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    bool Contiguous() const { return (static_cast<std::uint64_t>(Max) & (Max + 1ull)) == 0; }
    std::uint32_t Widen(std::uint32_t word) const {
        if (Mask == 0) return 0;
        return static_cast<std::uint32_t>(static_cast<std::uint64_t>((word & Mask) >> Shift) * 255 /
                                          Max);
    }
};

enum TChannelIndex { kRed, kGreen, kBlue, kAlpha };

// What the info header says, checked field by field.
struct TInfo {
    std::size_t Start = 0;   // offset of the header in the data
    std::uint32_t Size = 0;  // its own size field
    bool Core = false;       // OS/2 1.x: 16-bit sizes, 3-byte colour entries
    bool Os2v2 = false;      // OS/2 2.x: compression 3 and 4 mean Huffman and RLE24
    int Width = 0;
    int Height = 0;  // always positive; TopDown says which row comes first
    bool TopDown = false;
    int BitCount = 0;
    std::uint32_t Compression = kBiRgb;
    std::uint32_t SizeImage = 0;
    std::uint32_t ColorsUsed = 0;  // 0: none given
    std::array<TChannel, 4> Channels;
    bool UsesAlpha = false;
    std::size_t TableStart = 0;  // first byte after the header and any masks

    std::size_t Field(std::size_t at) const { return Start + at; }
    bool Paletted() const { return BitCount <= 8; }
    bool RunLength() const { return Compression == kBiRle8 || Compression == kBiRle4; }
};

bool KnownHeaderSize(std::uint32_t size) {
    switch (size) {
        case 12:
        case 16:
        case 40:
        case 52:
        case 56:
        case 64:
        case 108:
        case 124:
            return true;
        default:
            return false;
    }
}

void CheckCompression(const TInfo& info) {
    const std::size_t at = info.Field(16);
    const std::uint32_t c = info.Compression;
    if (info.Os2v2 && c == 3) Fail(at, "OS/2 Huffman 1-D compression (3) is not supported");
    if (info.Os2v2 && c == 4) Fail(at, "OS/2 24-bit run-length compression (4) is not supported");
    if (c == kBiJpeg) Fail(at, "compression 4, an embedded JPEG image, is not supported");
    if (c == kBiPng) Fail(at, "compression 5, an embedded PNG image, is not supported");
    if (c > kBiAlphaBitFields)
        Fail(at, "compression " + std::to_string(c) + " is not a known bitmap compression");
}

void CheckBitCount(const TInfo& info) {
    const std::size_t at = info.Field(info.Core ? 10 : 14);
    switch (info.BitCount) {
        case 1:
        case 2:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            Fail(at, std::to_string(info.BitCount) +
                         " bits per pixel is not a supported depth (1, 2, 4, 8, 16, 24 or 32)");
    }
    const std::size_t compressionAt = info.Field(16);
    switch (info.Compression) {
        case kBiRle8:
            if (info.BitCount != 8)
                Fail(compressionAt, "RLE8 compression needs 8 bits per pixel, not " +
                                        std::to_string(info.BitCount));
            break;
        case kBiRle4:
            if (info.BitCount != 4)
                Fail(compressionAt, "RLE4 compression needs 4 bits per pixel, not " +
                                        std::to_string(info.BitCount));
            break;
        case kBiBitFields:
        case kBiAlphaBitFields:
            if (info.BitCount < 16)
                Fail(compressionAt, "bit-field masks need 16, 24 or 32 bits per pixel, not " +
                                        std::to_string(info.BitCount));
            break;
        default:
            break;
    }
}

// The red, green, blue and alpha masks: from the header, after it, or the defaults of the
// depth. Colour masks must be non-empty runs of bits inside the pixel and must not overlap.
void ReadMasks(const TBytes& bytes, TInfo& info) {
    info.TableStart = info.Start + info.Size;
    if (info.Compression != kBiBitFields && info.Compression != kBiAlphaBitFields) {
        if (info.BitCount == 16) {
            info.Channels = {TChannel(0x7C00), TChannel(0x03E0), TChannel(0x001F), TChannel()};
        } else if (info.BitCount > 16) {
            info.Channels = {TChannel(0xFF0000), TChannel(0xFF00), TChannel(0xFF), TChannel()};
        }
        return;
    }
    // Headers of 52 bytes and more hold the masks; a 40-byte header is followed by them.
    const int wanted = info.Compression == kBiAlphaBitFields || info.Size >= 56 ? 4 : 3;
    const int inHeader = info.Size >= 56 ? 4 : info.Size >= 52 ? 3 : 0;
    if (wanted > inHeader) {
        const std::size_t extra = static_cast<std::size_t>(wanted - inHeader) * 4;
        bytes.Need(info.TableStart, extra, "the bit-field masks after the header");
        info.TableStart += extra;
    }
    static const char* const kNames[] = {"red", "green", "blue", "alpha"};
    const std::uint64_t pixelBits =
        info.BitCount == 32 ? 0xFFFFFFFFull : (1ull << info.BitCount) - 1;
    std::uint32_t seen = 0;
    for (int i = 0; i < wanted; ++i) {
        const std::size_t at = info.Field(40) + static_cast<std::size_t>(i) * 4;
        const std::uint32_t mask = bytes.U32(at);
        const TChannel channel(mask);
        const std::string name = kNames[i];
        if (mask == 0 && i != kAlpha) Fail(at, "the " + name + " mask is empty");
        if (mask > pixelBits)
            Fail(at, "the " + name + " mask " + Hex(mask) + " reaches past the " +
                         std::to_string(info.BitCount) + " bits of a pixel");
        if (!channel.Contiguous())
            Fail(at, "the " + name + " mask " + Hex(mask) + " is not one run of bits");
        if (mask & seen)
            Fail(at, "the " + name + " mask " + Hex(mask) + " overlaps the masks before it");
        seen |= mask;
        info.Channels[i] = channel;
    }
    // Alpha counts in 32-bit pixels only; 16-bit pixels with an alpha bit read as opaque
    // colour, as Pillow and GDI read them.
    info.UsesAlpha = info.BitCount == 32 && info.Channels[kAlpha].Mask != 0;
}

TInfo ReadInfo(const TBytes& bytes, std::size_t start) {
    TInfo info;
    info.Start = start;
    info.Size = bytes.U32(start);
    if (!KnownHeaderSize(info.Size))
        Fail(start, "header size " + std::to_string(info.Size) +
                        " is not a known bitmap header size (12, 16, 40, 52, 56, 64, 108 or 124)");
    bytes.Need(start, info.Size, "the " + std::to_string(info.Size) + "-byte bitmap header");

    std::int64_t width = 0, height = 0;
    int planes = 0;
    if (info.Size == kCoreHeaderSize) {
        info.Core = true;
        width = bytes.U16(info.Field(4));
        height = bytes.U16(info.Field(6));
        planes = bytes.U16(info.Field(8));
        info.BitCount = bytes.U16(info.Field(10));
    } else {
        info.Os2v2 = info.Size == 16 || info.Size == 64;
        width = bytes.I32(info.Field(4));
        height = bytes.I32(info.Field(8));
        planes = bytes.U16(info.Field(12));
        info.BitCount = bytes.U16(info.Field(14));
    }
    if (info.Size >= 40) {
        info.Compression = bytes.U32(info.Field(16));
        info.SizeImage = bytes.U32(info.Field(20));
        info.ColorsUsed = bytes.U32(info.Field(32));
    }

    const std::size_t widthAt = info.Field(4);
    const std::size_t heightAt = info.Field(info.Core ? 6 : 8);
    if (width <= 0)
        Fail(widthAt, "width " + std::to_string(width) + " is not a positive number of pixels");
    if (height == 0) Fail(heightAt, "height 0 leaves the image without rows");
    info.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels)
        Fail(widthAt, std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is more than the " + std::to_string(kMaxPixels) +
                          " pixels a bitmap may have");
    info.Width = static_cast<int>(width);
    info.Height = static_cast<int>(height);
    if (planes != 1)
        Fail(info.Field(info.Core ? 8 : 12),
             std::to_string(planes) + " colour planes; a bitmap has exactly 1");

    if (info.Size >= 40) CheckCompression(info);
    CheckBitCount(info);
    if (info.TopDown && info.RunLength())
        Fail(heightAt, "a run-length compressed bitmap cannot be stored top down (height -" +
                           std::to_string(info.Height) + ")");
    if (info.Size >= 40) {
        static const char* const kAxes[] = {"horizontal", "vertical"};
        for (int axis = 0; axis < 2; ++axis) {
            const std::size_t at = info.Field(24 + 4 * static_cast<std::size_t>(axis));
            const std::int64_t perMetre = bytes.I32(at);
            if (perMetre < 0 || perMetre > kMaxPixelsPerMetre)
                Fail(at, std::string(kAxes[axis]) + " resolution " + std::to_string(perMetre) +
                             " pixels per metre is not plausible (0 to " +
                             std::to_string(kMaxPixelsPerMetre) + ")");
        }
    }
    ReadMasks(bytes, info);
    return info;
}

// The colour table and where the pixels start. In a file the pixel offset bounds the table:
// an OS/2 file may carry fewer entries than its depth allows. A packed DIB has the pixels
// straight after the table.
struct TLayout {
    std::vector<std::uint32_t> Palette;  // COLORREF entries the pixels may use
    std::size_t PixelOffset = 0;
    std::uint64_t Stride = 0;  // bytes a stored row takes, uncompressed
};

TLayout ReadLayout(const TBytes& bytes, const TInfo& info, std::size_t pixelOffsetField,
                   std::size_t pixelOffset) {
    TLayout layout;
    const std::size_t entrySize = info.Core ? 3 : 4;
    const std::uint64_t declared = info.ColorsUsed;
    const std::size_t declaredAt = info.Field(32);

    // Writers that point the pixel offset at the colour table itself meant the pixels to
    // follow the table; Pillow reads such files that way too.
    if (info.Paletted() && pixelOffset == info.Start + info.Size) pixelOffset = 0;

    if (pixelOffset != 0) {
        if (pixelOffset < info.TableStart)
            Fail(pixelOffsetField, "pixel data offset " + std::to_string(pixelOffset) +
                                       " points into the bitmap header, which ends at offset " +
                                       std::to_string(info.TableStart));
        if (pixelOffset > bytes.Size())
            Fail(pixelOffsetField, "pixel data offset " + std::to_string(pixelOffset) +
                                       " is past the end of the data at offset " +
                                       std::to_string(bytes.Size()));
    }

    std::uint64_t entries = declared;
    if (info.Paletted()) {
        const std::uint64_t full = 1ull << info.BitCount;
        if (entries == 0) entries = full;
        if (pixelOffset != 0) {
            const std::uint64_t room = (pixelOffset - info.TableStart) / entrySize;
            if (declared > room)
                Fail(declaredAt, Count(declared, "colour", "colours") + " do not fit in the " +
                                     std::to_string(pixelOffset - info.TableStart) +
                                     " bytes before the pixels at offset " +
                                     std::to_string(pixelOffset));
            entries = std::min(entries, room);
            if (entries == 0)
                Fail(pixelOffsetField, "a " + std::to_string(info.BitCount) +
                                           "-bit bitmap needs a colour table, but the pixels at "
                                           "offset " +
                                           std::to_string(pixelOffset) + " leave no room for one");
        }
        bytes.Need(info.TableStart, entries * entrySize,
                   "the colour table of " + Count(entries, "entry", "entries"));
        const std::uint64_t used = std::min(entries, full);
        layout.Palette.reserve(used);
        for (std::uint64_t i = 0; i < used; ++i) {
            const std::uint8_t* e = bytes.At(info.TableStart + i * entrySize);
            layout.Palette.push_back(static_cast<std::uint32_t>(e[2] | e[1] << 8 | e[0] << 16));
        }
    } else if (pixelOffset == 0) {
        // Colour tables of deeper images are hints for palette devices; skip them.
        bytes.Need(info.TableStart, entries * entrySize,
                   "the colour table of " + Count(entries, "entry", "entries"));
    }
    layout.PixelOffset = pixelOffset != 0
                             ? pixelOffset
                             : info.TableStart + static_cast<std::size_t>(entries) * entrySize;

    if (info.SizeImage > bytes.Remaining(layout.PixelOffset))
        Fail(info.Field(20), "image size " + std::to_string(info.SizeImage) + " is more than the " +
                                 std::to_string(bytes.Remaining(layout.PixelOffset)) +
                                 " bytes from the pixels at offset " +
                                 std::to_string(layout.PixelOffset) + " to the end");

    if (!info.RunLength()) {
        const std::uint64_t rowBits = static_cast<std::uint64_t>(info.Width) * info.BitCount;
        layout.Stride = (rowBits + 31) / 32 * 4;
        // The last row's padding is often left out; its pixels are what counts.
        const std::uint64_t needed = layout.Stride * (info.Height - 1) + (rowBits + 7) / 8;
        bytes.Need(layout.PixelOffset, needed,
                   "the " + Count(info.Height, "row", "rows") + " of pixels");
    }
    return layout;
}

// Turns stored values into pixels, checking colour indexes against the table, and writes
// them into the image once one is attached.
class TPixelSink {
public:
    TPixelSink(const TInfo& info, const TLayout& layout) : FInfo(info) {
        FColors.reserve(layout.Palette.size());
        for (std::uint32_t c : layout.Palette) FColors.push_back(PixelFromColorRef(c));
    }
    TPixel Color(unsigned index, std::size_t at, int x, int y) const {
        if (index >= FColors.size())
            Fail(at, "colour index " + std::to_string(index) + " of pixel (" + std::to_string(x) +
                         ", " + std::to_string(y) + ") is past the " +
                         Count(FColors.size(), "entry", "entries") + " of the colour table");
        return FColors[index];
    }
    TPixel Word(std::uint32_t word) const {
        const auto& c = FInfo.Channels;
        TPixel p = c[kRed].Widen(word) << 16 | c[kGreen].Widen(word) << 8 | c[kBlue].Widen(word);
        if (FInfo.UsesAlpha) p |= c[kAlpha].Widen(word) << 24;
        return p;
    }
    // Image rows count from the top; stored rows count in file order.
    int ImageRow(std::int64_t storedRow) const {
        return static_cast<int>(FInfo.TopDown ? storedRow : FInfo.Height - 1 - storedRow);
    }
    void Attach(TBitmapImage& image) { FImage = &image; }
    bool Writing() const { return FImage != nullptr; }
    TPixel* Row(std::int64_t storedRow) { return FImage->Pixels.Row(ImageRow(storedRow)); }

private:
    const TInfo& FInfo;
    TBitmapImage* FImage = nullptr;
    std::vector<TPixel> FColors;
};

bool DefaultMasks(const TInfo& info) {
    return info.Channels[kRed].Mask == 0xFF0000 && info.Channels[kGreen].Mask == 0xFF00 &&
           info.Channels[kBlue].Mask == 0xFF && !info.UsesAlpha;
}

void ReadRows(const TBytes& bytes, const TInfo& info, const TLayout& layout, TPixelSink& sink) {
    const std::uint64_t stride = layout.Stride;
    const bool fast = DefaultMasks(info);
    const int bits = info.BitCount;
    for (int r = 0; r < info.Height; ++r) {
        const std::size_t rowAt = layout.PixelOffset + static_cast<std::size_t>(r * stride);
        const std::uint8_t* in = bytes.At(rowAt);
        TPixel* out = sink.Row(r);
        const int y = sink.ImageRow(r);
        switch (bits) {
            case 1:
            case 2:
            case 4:
            case 8: {
                const unsigned valueMask = (1u << bits) - 1;
                for (int x = 0; x < info.Width; ++x) {
                    const std::size_t bit = static_cast<std::size_t>(x) * bits;
                    const unsigned shift = 8 - bits - static_cast<unsigned>(bit % 8);
                    const unsigned index = (in[bit / 8] >> shift) & valueMask;
                    out[x] = sink.Color(index, rowAt + bit / 8, x, y);
                }
                break;
            }
            case 16:
                for (int x = 0; x < info.Width; ++x)
                    out[x] = sink.Word(static_cast<std::uint32_t>(in[2 * x] | in[2 * x + 1] << 8));
                break;
            case 24:
                for (int x = 0; x < info.Width; ++x) {
                    const std::uint8_t* p = in + 3 * x;
                    const std::uint32_t word = p[0] | p[1] << 8 | p[2] << 16;
                    out[x] = fast ? word : sink.Word(word);
                }
                break;
            case 32:
                for (int x = 0; x < info.Width; ++x) {
                    const std::uint8_t* p = in + 4 * x;
                    const std::uint32_t word = static_cast<std::uint32_t>(p[0]) | p[1] << 8 |
                                               p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
                    out[x] = fast ? word & 0x00FFFFFF : sink.Word(word);
                }
                break;
        }
    }
}

// RLE8 and RLE4 runs, bottom row first, onto an image filled with colour index 0: pixels the
// runs never reach (skipped by a move or an early end of line, or left when the data stop
// short) keep it, as Pillow leaves them. A run or a move that leaves the image is an error.
// Without an image attached to the sink the runs are only checked, so that a few bytes of
// bad runs cannot make the reader allocate and fill a large image first.
void ReadRuns(const TBytes& bytes, const TInfo& info, const TLayout& layout, TPixelSink& sink) {
    const bool rle4 = info.Compression == kBiRle4;
    const int width = info.Width;
    const std::int64_t height = info.Height;

    std::size_t p = layout.PixelOffset;
    const std::size_t end = bytes.Size();
    int x = 0;
    std::int64_t row = 0;  // counted from the bottom
    auto checkRun = [&](std::size_t at, int count) {
        if (row >= height)
            Fail(at, "a run of " + Count(count, "pixel", "pixels") + " follows the last of the " +
                         Count(height, "row", "rows"));
        if (x + count > width)
            Fail(at, "a run of " + Count(count, "pixel", "pixels") + " at column " +
                         std::to_string(x) + " goes past the end of the " + std::to_string(width) +
                         "-pixel row");
    };
    auto index = [&](unsigned code, int i) {
        return rle4 ? (i % 2 == 0 ? code >> 4 : code & 0x0F) : code;
    };
    while (end - p >= 2) {
        const std::size_t at = p;
        const unsigned count = *bytes.At(p), code = *bytes.At(p + 1);
        p += 2;
        if (count != 0) {
            // A run repeats one colour (RLE4: alternates two), so look them up once.
            checkRun(at, static_cast<int>(count));
            const int y = sink.ImageRow(row);
            const TPixel first = sink.Color(index(code, 0), at + 1, x, y);
            const TPixel second = count > 1 ? sink.Color(index(code, 1), at + 1, x + 1, y) : first;
            if (sink.Writing()) {
                TPixel* out = sink.Row(row) + x;
                if (first == second)
                    std::fill_n(out, count, first);
                else
                    for (unsigned i = 0; i < count; ++i) out[i] = i % 2 == 0 ? first : second;
            }
            x += static_cast<int>(count);
        } else if (code == 0) {  // end of line
            x = 0;
            ++row;
        } else if (code == 1) {  // end of bitmap
            break;
        } else if (code == 2) {  // move right and up
            if (end - p < 2) break;
            const int right = *bytes.At(p), up = *bytes.At(p + 1);
            p += 2;
            if (x + right > width)
                Fail(at, "a move of " + std::to_string(right) + " pixels right from column " +
                             std::to_string(x) + " leaves the " + std::to_string(width) +
                             "-pixel row");
            if (row + up > height)
                Fail(at, "a move of " + Count(up, "row", "rows") + " up from row " +
                             std::to_string(row) + " leaves the " + Count(height, "row", "rows") +
                             " of the image");
            x += right;
            row += up;
        } else {  // a literal run of `code` pixels, padded to a 16-bit boundary
            checkRun(at, static_cast<int>(code));
            const std::size_t length = rle4 ? (code + 1) / 2 : code;
            const std::size_t there = std::min(length, end - p);
            const int pixels =
                static_cast<int>(rle4 ? std::min<std::size_t>(code, 2 * there) : there);
            TPixel* out = sink.Writing() ? sink.Row(row) : nullptr;
            const int y = sink.ImageRow(row);
            for (int i = 0; i < pixels; ++i, ++x) {
                const std::size_t byteAt = p + (rle4 ? i / 2 : i);
                const TPixel color = sink.Color(index(*bytes.At(byteAt), i), byteAt, x, y);
                if (out) out[x] = color;
            }
            if (there < length) break;
            p += length;
            if ((p - layout.PixelOffset) % 2 != 0 && p < end) ++p;
        }
    }
}

// The depth the image keeps for writing back: 2-bit images widen to 4 bits, so that every
// stored format is one any image tool opens.
int StoredDepth(const TInfo& info) {
    return info.BitCount == 2 ? 4 : info.BitCount;
}

TBitmapImage Decode(const TBytes& bytes, std::size_t headerStart, std::size_t pixelOffsetField,
                    std::size_t pixelOffset) {
    const TInfo info = ReadInfo(bytes, headerStart);
    const TLayout layout = ReadLayout(bytes, info, pixelOffsetField, pixelOffset);
    // Nothing is allocated before every size has been checked against the data, and runs,
    // which may cover a large image in a few bytes, are checked through once before.
    TPixelSink sink(info, layout);
    if (info.RunLength()) ReadRuns(bytes, info, layout, sink);
    const TPixel background = info.RunLength() ? PixelFromColorRef(layout.Palette[0]) : 0;
    TBitmapImage image(info.Width, info.Height, background);
    image.BitsPerPixel = StoredDepth(info);
    if (info.Paletted()) image.Palette = layout.Palette;
    if (info.BitCount == 16)
        for (int c : {kRed, kGreen, kBlue})
            image.FieldMasks[static_cast<std::size_t>(c)] = info.Channels[c].Mask;
    sink.Attach(image);
    if (info.RunLength())
        ReadRuns(bytes, info, layout, sink);
    else
        ReadRows(bytes, info, layout, sink);
    return image;
}

// --- writing ---------------------------------------------------------------------------

class TWriter {
public:
    void U8(std::uint32_t v) { FBytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    void Zeros(std::size_t n) { FBytes.insert(FBytes.end(), n, 0); }
    std::vector<std::uint8_t>& Bytes() { return FBytes; }

private:
    std::vector<std::uint8_t> FBytes;
};

// Colour indexes for the pixels of a paletted image: the first entry of exactly the pixel's
// colour, else the nearest entry (pixels drawn after loading need not be in the table).
class TIndexFinder {
public:
    explicit TIndexFinder(const std::vector<std::uint32_t>& palette) {
        for (std::uint32_t c : palette) FColors.push_back(PixelFromColorRef(c) & 0x00FFFFFF);
        for (std::size_t i = FColors.size(); i-- > 0;)
            FFound[FColors[i]] = static_cast<std::uint8_t>(i);
    }
    std::uint8_t operator()(TPixel pixel) {
        pixel &= 0x00FFFFFF;
        if (auto it = FFound.find(pixel); it != FFound.end()) return it->second;
        std::uint8_t best = 0;
        std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
        for (std::size_t i = 0; i < FColors.size(); ++i) {
            std::int64_t d = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int a = (pixel >> shift) & 0xFF, b = (FColors[i] >> shift) & 0xFF;
                d += static_cast<std::int64_t>(a - b) * (a - b);
            }
            if (d < bestDistance) {
                bestDistance = d;
                best = static_cast<std::uint8_t>(i);
            }
        }
        return FFound[pixel] = best;
    }

private:
    std::vector<TPixel> FColors;
    std::unordered_map<TPixel, std::uint8_t> FFound;
};

}  // namespace

TBitmapImage DecodeFile(const std::uint8_t* data, std::size_t size) {
    const TBytes bytes(data, size);
    if (bytes.Size() < kFileHeaderSize)
        Fail(0, "a bitmap file starts with a 14-byte file header, but there " +
                    std::string(bytes.Size() == 1 ? "is " : "are ") +
                    Count(bytes.Size(), "byte", "bytes"));
    if (data[0] != 'B' || data[1] != 'M')
        Fail(0, "expected \"BM\" at the start of a bitmap file, found " + Hex(data[0]) + " " +
                    Hex(data[1]));
    const std::uint32_t fileSize = bytes.U32(2);
    // OS/2 writers put the header size here, so only a size larger than the data is wrong:
    // the file has been cut short.
    if (fileSize > bytes.Size())
        Fail(2, "file size " + std::to_string(fileSize) + " is more than the " +
                    Count(bytes.Size(), "byte", "bytes") + " there are; the file is cut short");
    return Decode(bytes, kFileHeaderSize, 10, bytes.U32(10));
}

TBitmapImage DecodeDib(const std::uint8_t* data, std::size_t size) {
    return Decode(TBytes(data, size), 0, 0, 0);
}

namespace {

// A pixel as a 16-bit word: each channel the least field value that reading widens to it, so
// that what was read is written back as it was.
std::uint32_t PackFields(TPixel p, const std::array<std::uint32_t, 3>& masks) {
    std::uint32_t word = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const TChannel channel(masks[c]);
        if (channel.Mask == 0) continue;
        const std::uint32_t value = (p >> (16 - 8 * c)) & 0xFF;
        const std::uint32_t field = (value * channel.Max + 254) / 255;
        word |= (field << channel.Shift) & channel.Mask;
    }
    return word;
}

}  // namespace

std::vector<std::uint8_t> EncodeFile(const TBitmapImage& image) {
    const int width = image.Width(), height = image.Height();
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic("an empty image cannot be written as a bitmap file");

    int bits = image.BitsPerPixel;
    std::vector<std::uint32_t> palette;
    if (bits == 1 || bits == 4 || bits == 8) {
        palette = image.Palette;
        if (palette.size() > (1u << bits)) palette.resize(1u << bits);
        if (palette.empty()) bits = 24;  // nothing to index: keep every colour instead
    } else if (bits != 32 && bits != 16) {
        bits = 24;
    }
    // 16-bit pixels keep their fields: 5-5-5 is the plain layout, any other goes with masks.
    std::array<std::uint32_t, 3> masks = image.FieldMasks;
    if (bits == 16 && !image.HasFields()) masks = {0x7C00, 0x03E0, 0x001F};
    const bool fieldMasks =
        bits == 16 && masks != std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
    const auto& pixels = image.Pixels.Pixels();
    const bool alpha = bits == 32 && std::any_of(pixels.begin(), pixels.end(),
                                                 [](TPixel p) { return (p >> 24) != 0; });

    // Alpha goes into a version 4 header with bit-field masks, which readers honour; plain
    // 32-bit pixels keep the 40-byte header every reader knows.
    const std::uint32_t headerSize = alpha ? 108 : 40;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    const std::uint64_t imageSize = stride * static_cast<std::uint64_t>(height);
    const std::uint64_t pixelOffset =
        kFileHeaderSize + headerSize + (fieldMasks ? 12 : 0) + 4 * palette.size();
    const std::uint64_t fileSize = pixelOffset + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        throw EInvalidGraphic("a " + std::to_string(width) + " x " + std::to_string(height) +
                              " image is too large for a bitmap file");

    TWriter out;
    out.Bytes().reserve(static_cast<std::size_t>(fileSize));
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(fileSize));
    out.U32(0);
    out.U32(static_cast<std::uint32_t>(pixelOffset));

    out.U32(headerSize);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(height));  // positive: bottom row first
    out.U16(1);
    out.U16(static_cast<std::uint32_t>(bits));
    out.U32(alpha || fieldMasks ? kBiBitFields : kBiRgb);
    out.U32(static_cast<std::uint32_t>(imageSize));
    out.U32(0);
    out.U32(0);
    const bool fullTable = palette.size() == (std::size_t{1} << std::min(bits, 8));
    out.U32(palette.empty() || fullTable ? 0 : static_cast<std::uint32_t>(palette.size()));
    out.U32(0);
    if (alpha) {
        out.U32(0x00FF0000);
        out.U32(0x0000FF00);
        out.U32(0x000000FF);
        out.U32(0xFF000000);
        out.U32(0x73524742);  // 'sRGB' colour space
        out.Zeros(108 - 60);
    }
    if (fieldMasks)
        for (std::uint32_t m : masks) out.U32(m);
    for (std::uint32_t c : palette) {
        out.U8(c >> 16);
        out.U8(c >> 8);
        out.U8(c);
        out.U8(0);
    }

    TIndexFinder indexOf(palette);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    for (int y = height - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        const TPixel* in = image.Pixels.Row(y);
        for (int x = 0; x < width; ++x) {
            const TPixel p = in[x];
            switch (bits) {
                case 1:
                case 4:
                case 8: {
                    const std::size_t bit = static_cast<std::size_t>(x) * bits;
                    row[bit / 8] |= static_cast<std::uint8_t>(indexOf(p) << (8 - bits - bit % 8));
                    break;
                }
                case 16: {
                    const std::uint32_t word = PackFields(p, masks);
                    row[2 * x] = static_cast<std::uint8_t>(word);
                    row[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
                    break;
                }
                case 24:
                    row[3 * x] = static_cast<std::uint8_t>(p);
                    row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
                    row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
                    break;
                default:
                    for (int i = 0; i < 4; ++i)
                        row[4 * x + i] = static_cast<std::uint8_t>(p >> (8 * i));
                    break;
            }
        }
        out.Bytes().insert(out.Bytes().end(), row.begin(), row.end());
    }
    return std::move(out.Bytes());
}

}  // namespace BmpCodec
