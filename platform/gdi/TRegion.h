// A set of device pixels kept as disjoint rectangles: what a device context may draw on. Its
// regions are small (a window's client area less the few windows above it, cut to an item),
// so a plain list serves; the pixel loops run once for each rectangle a drawing meets.
#pragma once

#include <vector>

#include "core/Types.h"

class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& r);

    bool IsEmpty() const { return FRects.empty(); }
    // Disjoint, none empty, in no particular order.
    const std::vector<TRect>& Rects() const { return FRects; }
    // The smallest rectangle around the region; empty for an empty region.
    const TRect& Bounds() const { return FBounds; }
    bool Contains(TPoint p) const;
    // Whether the region is one rectangle (or none).
    bool IsSimple() const { return FRects.size() <= 1; }

    void Intersect(const TRect& r);
    void Intersect(const TRegion& other);
    void Subtract(const TRect& r);

    // Calls fn with each non-empty part of area that lies in the region.
    template <class F>
    void ForEachPart(const TRect& area, F&& fn) const {
        const TRect inBounds = IntersectRects(area, FBounds);
        if (inBounds.IsEmpty()) return;
        if (FRects.size() == 1) {  // most regions: the bounds are the region
            fn(inBounds);
            return;
        }
        for (const TRect& r : FRects) {
            const TRect part = IntersectRects(r, area);
            if (!part.IsEmpty()) fn(part);
        }
    }

    friend bool operator==(const TRegion&, const TRegion&) = default;

private:
    void UpdateBounds();

    std::vector<TRect> FRects;
    TRect FBounds{};
};
