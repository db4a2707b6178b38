#include "gdi/TStretchMap.h"

#include <algorithm>

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

TStretchMap::TStretchMap(int srcLength, int dstLength, TSurvivor survivor)
    : FSrc(std::max(srcLength, 1)), FDst(std::max(dstLength, 1)), FSurvivor(survivor) {}

int TStretchMap::SourceIndex(std::int64_t d) const {
    std::int64_t s;
    if (FSrc <= FDst) {
        // The source pixel whose extent holds the destination pixel's centre, (d + 1/2) of
        // dst's units, with a centre on a boundary going to the pixel before it.
        s = FloorDiv(FSrc * (2 * d + 1) - 1, 2 * FDst);
    } else {
        // Source pixel j lands on destination floor((dst (2j + 1) - 1) / 2 src); the run
        // landing on d starts at the first j reaching d.
        auto firstLandingOn = [&](std::int64_t k) {
            return std::max<std::int64_t>(0, -FloorDiv(-(2 * FSrc * k + 1 - FDst), 2 * FDst));
        };
        s = FSurvivor == svFirst ? firstLandingOn(d) : firstLandingOn(d + 1) - 1;
        // Shrinking a whole row to a single pixel, GDI's walk stops one source pixel short.
        if (FSurvivor == svLast && FDst == 1) s = FSrc - 2;
    }
    return static_cast<int>(std::clamp<std::int64_t>(s, 0, FSrc - 1));
}
