// What a pen wider than one pixel covers along a figure: each segment as a band of the pen's
// width centred on it (the odd pixel below and to the right), with round ends and round
// corners, the way GDI strokes a solid geometric pen.
#pragma once

#include <vector>

#include "core/Types.h"
#include "gdi/TSpanRegion.h"

class TWidePenOutline {
public:
    // The pixels inside bounds that a pen of the given width covers along points (device
    // coordinates); a closed figure gets a corner at its first point instead of two ends.
    static TSpanRegion Build(std::vector<TPoint> points, bool closed, int width,
                             const TRect& bounds);

private:
    static void AddDisc(TSpanRegion& region, TPoint centre, int width);
    static void AddSegment(TSpanRegion& region, TPoint from, TPoint to, int width);
    static void AddConvexPolygon(TSpanRegion& region, const TPoint* points, int count);
};
