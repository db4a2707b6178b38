// Which source pixel each destination pixel takes when StretchBlt scales along one axis in
// COLORONCOLOR mode. GDI steps through the two lengths like a Bresenham line: scaling up,
// each destination pixel takes the source pixel under its centre (half-way cases going to
// the lower one); scaling down, several source pixels fall on one destination pixel and
// only one of them survives, the last of a run across a row (but the one before the last
// when a row shrinks to one pixel) and the first down a column.
#pragma once

#include <cstdint>

class TStretchMap {
public:
    enum TSurvivor : std::uint8_t { svFirst, svLast };

    // srcLength and dstLength are at least 1.
    TStretchMap(int srcLength, int dstLength, TSurvivor survivor);

    // The source index for destination index d (0 <= d < dstLength).
    int SourceIndex(std::int64_t d) const;

private:
    std::int64_t FSrc;
    std::int64_t FDst;
    TSurvivor FSurvivor;
};
