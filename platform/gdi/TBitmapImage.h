// The object behind an HBITMAP: its pixels as a 32-bit surface, and the device-independent
// format it was made from, so that writing it back keeps bit depth, colour table and bit
// fields.
#pragma once

#include <array>
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
    // Bits per pixel of the stored format: 1, 4, 8, 16, 24 or 32.
    int BitsPerPixel = 32;
    // Colour table of formats with 8 bits per pixel or fewer, entries 0x00BBGGRR.
    std::vector<std::uint32_t> Palette;
    // The red, green and blue bit-field masks of 16-bit pixels (zero for other formats). The
    // pixels hold each field widened exactly to eight bits; a blit widens it as the system
    // draws a 16-bit bitmap instead (PixelLoops::WidenFields).
    std::array<std::uint32_t, 3> FieldMasks{};
    bool HasFields() const { return FieldMasks[0] || FieldMasks[1] || FieldMasks[2]; }

    friend bool operator==(const TBitmapImage&, const TBitmapImage&) = default;
};
