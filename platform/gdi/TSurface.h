// A 32-bit pixel surface in the layout of a Windows DIB section: top row first, each pixel the
// bytes blue, green, red, unused (0x00RRGGBB read as a little-endian 32-bit word).
#pragma once

#include <cstdint>
#include <vector>

#include "core/Types.h"

using TPixel = std::uint32_t;

// COLORREF (0x00BBGGRR) to a pixel word and back.
constexpr TPixel PixelFromColorRef(std::uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr std::uint32_t ColorRefFromPixel(TPixel p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

class TSurface {
public:
    TSurface() = default;
    TSurface(int width, int height, TPixel fill = 0);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }
    bool IsEmpty() const { return FWidth <= 0 || FHeight <= 0; }

    TPixel* Row(int y) { return FPixels.data() + static_cast<std::size_t>(y) * FWidth; }
    const TPixel* Row(int y) const {
        return FPixels.data() + static_cast<std::size_t>(y) * FWidth;
    }
    TPixel At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, TPixel p) { Row(y)[x] = p; }

    void Resize(int width, int height, TPixel fill = 0);
    void Fill(TPixel p);

    std::vector<TPixel>& Pixels() { return FPixels; }
    const std::vector<TPixel>& Pixels() const { return FPixels; }

    friend bool operator==(const TSurface&, const TSurface&) = default;

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<TPixel> FPixels;
};
