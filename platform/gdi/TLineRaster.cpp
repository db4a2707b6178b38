#include "gdi/TLineRaster.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Offsets and extents reach 2^32, so their products need more than 64 bits.
__extension__ typedef __int128 TWide;

std::int64_t FloorDiv(TWide a, TWide b) {
    TWide q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<std::int64_t>(q);
}

std::int64_t CeilDiv(TWide a, TWide b) {
    return -FloorDiv(-a, b);
}

}  // namespace

TLineRaster::TLineRaster(TPoint from, TPoint to) : FStart(from) {
    const std::int64_t dx = std::int64_t{to.X} - from.X, dy = std::int64_t{to.Y} - from.Y;
    // GDI numbers the octants clockwise from the positive x axis (y pointing down); in
    // octants 3, 5, 6 and 8 a half-way step toward the minor axis comes one pixel early.
    int octant;
    if (dy > 0)
        octant = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else if (dx < 0)
        octant = -dx > -dy ? 5 : 6;
    else
        octant = dx > -dy ? 8 : 7;
    FBias = (octant == 3 || octant == 5 || octant == 6 || octant == 8) ? 1 : 0;
    FXMajor = octant == 1 || octant == 4 || octant == 5 || octant == 8;
    FXStep = (octant == 1 || octant == 2 || octant == 7 || octant == 8) ? 1 : -1;
    FYStep = octant <= 4 ? 1 : -1;
    FMajor = FXMajor ? std::llabs(dx) : std::llabs(dy);
    FMinor = FXMajor ? std::llabs(dy) : std::llabs(dx);
    FLength = FMajor;
}

std::int64_t TLineRaster::MinorStepsBefore(std::int64_t i) const {
    if (FMinor == 0) return 0;
    return FloorDiv(TWide{2} * i * FMinor + FMajor + FBias - 1, TWide{2} * FMajor);
}

std::int64_t TLineRaster::ErrorAt(std::int64_t i) const {
    return static_cast<std::int64_t>(TWide{2} * FMinor - FMajor + TWide{2} * i * FMinor -
                                     TWide{2} * MinorStepsBefore(i) * FMajor);
}

std::int64_t TLineRaster::FirstWithMinorSteps(std::int64_t n) const {
    if (n <= 0) return 0;
    if (FMinor == 0) return FLength;
    return std::max<std::int64_t>(
        0, CeilDiv(TWide{2} * FMajor * n - FMajor - FBias + 1, TWide{2} * FMinor));
}

TPoint TLineRaster::PixelAt(std::int64_t i) const {
    const std::int64_t n = MinorStepsBefore(i);
    const std::int64_t dx = FXMajor ? i : n, dy = FXMajor ? n : i;
    return TPoint{static_cast<std::int32_t>(FStart.X + dx * FXStep),
                  static_cast<std::int32_t>(FStart.Y + dy * FYStep)};
}

TLineRaster::TRange TLineRaster::Clipped(const TRect& clip) const {
    if (clip.IsEmpty() || FLength == 0) return {};
    // Offsets from the start, along each axis, that stay inside the clip: [lo, hi).
    auto offsets = [](std::int64_t start, int step, std::int64_t min, std::int64_t max,
                      std::int64_t& lo, std::int64_t& hi) {
        if (step > 0) {
            lo = min - start;
            hi = max - start;
        } else {
            lo = start - max + 1;
            hi = start - min + 1;
        }
    };
    std::int64_t xlo, xhi, ylo, yhi;
    offsets(FStart.X, FXStep, clip.Left, clip.Right, xlo, xhi);
    offsets(FStart.Y, FYStep, clip.Top, clip.Bottom, ylo, yhi);
    const std::int64_t majorLo = FXMajor ? xlo : ylo, majorHi = FXMajor ? xhi : yhi;
    const std::int64_t minorLo = FXMajor ? ylo : xlo, minorHi = FXMajor ? yhi : xhi;
    TRange r;
    r.First = std::max<std::int64_t>({0, majorLo, FirstWithMinorSteps(minorLo)});
    r.Last = std::min<std::int64_t>({FLength, majorHi, FirstWithMinorSteps(minorHi)});
    return r;
}
