// Which pixels GDI gives an ellipse inscribed in a device box: the interior, row by row, and
// the outline the pen follows, both from the same midpoint ellipse walk (integer error terms,
// exact for every size). Pure geometry; the caller paints.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Types.h"

class TEllipseRaster {
public:
    // box is in device pixels, right and bottom exclusive, at least 3 x 3. Only the interior
    // rows in [rowsTop, rowsBottom) are computed, so a huge ellipse that is mostly clipped
    // away costs memory for its visible rows only.
    TEllipseRaster(const TRect& box, int rowsTop, int rowsBottom);

    // The interior pixels of row y, [left, right); an empty span outside the computed rows.
    struct TSpan {
        int Left = 0;
        int Right = 0;
    };
    TSpan Interior(int y) const;

    // The outline as a closed figure: from the right end of the middle row counterclockwise
    // (up, across the top, down the left, along the bottom) back toward where it began.
    std::vector<TPoint> Outline() const;

private:
    // The first quadrant, from the right end of the middle row up to the top, as offsets
    // from the box's top-left corner with y counted up from the bottom row.
    std::vector<TPoint> QuadrantPoints() const;

    TRect FBox;
    int FLowerFirst = 0;       // first row of the lower half (from the box top) stored
    std::vector<int> FInsets;  // from each side, for stored lower-half rows
};
