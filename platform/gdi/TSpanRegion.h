// A set of device pixels kept as sorted, disjoint runs per row, inside a fixed bounding
// rectangle (the clip): what a wide pen covers is built up here piece by piece, each piece
// cut to the bounds as it comes, and painted once at the end.
#pragma once

#include <vector>

#include "core/Types.h"

class TSpanRegion {
public:
    explicit TSpanRegion(const TRect& bounds);

    const TRect& Bounds() const { return FBounds; }
    // Adds pixels x0 .. x1 - 1 of row y (cut to the bounds).
    void AddSpan(int y, int x0, int x1);
    void AddRect(const TRect& r);

    struct TSpan {
        int Left;
        int Right;
    };
    // The runs of row y, left to right; none outside the bounds.
    const std::vector<TSpan>& Row(int y) const;

private:
    TRect FBounds;
    std::vector<std::vector<TSpan>> FRows;
};
