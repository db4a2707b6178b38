// The object behind an HBITMAP: its pixels as a 32-bit surface, and the device-independent
// format it was made from, so that writing it back keeps bit depth and colour table.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/TSurface.h"

class TBitmapImage {
public:
    TBitmapImage() = default;
    TBitmapImage(int width, int height, TPixel fill = 0) : Pixels(width, height, fill) {}

    int Width() const { return Pixels.Width(); }
    int Height() const { return Pixels.Height(); }

    // Images read with an alpha channel keep it in the top byte of each pixel; it is 0
    // elsewhere.
    TSurface Pixels;
    // Bits per pixel of the stored format: 1, 4, 8, 24 or 32.
    int BitsPerPixel = 32;
    // Colour table of formats with 8 bits per pixel or fewer, entries 0x00BBGGRR.
    std::vector<std::uint32_t> Palette;

    friend bool operator==(const TBitmapImage&, const TBitmapImage&) = default;
};
