#include "gdi/TWidePenOutline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gdi/TEllipseRaster.h"

namespace {

int RoundAway(double v) {
    return static_cast<int>(v > 0 ? v + 0.5 : v - 0.5);
}

}  // namespace

TSpanRegion TWidePenOutline::Build(std::vector<TPoint> points, bool closed, int width,
                                   const TRect& bounds) {
    TSpanRegion region(bounds);
    // Zero-length segments at either end carry no direction; they are dropped.
    while (points.size() > 2 && points[0] == points[1]) points.erase(points.begin());
    while (points.size() > 2 && points[points.size() - 1] == points[points.size() - 2])
        points.pop_back();
    const std::size_t n = points.size();
    if (n < 2) return region;
    const std::size_t segments = closed ? n : n - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const TPoint a = points[i], b = points[(i + 1) % n];
        if (a == b) continue;
        AddSegment(region, a, b, width);
    }
    // Round corners at every vertex, and round ends where an open figure stops.
    for (std::size_t i = 0; i < n; ++i) AddDisc(region, points[i], width);
    return region;
}

void TWidePenOutline::AddDisc(TSpanRegion& region, TPoint centre, int width) {
    const TRect box{centre.X - width / 2, centre.Y - width / 2, centre.X + (width + 1) / 2,
                    centre.Y + (width + 1) / 2};
    const TRect& b = region.Bounds();
    if (IntersectRects(box, b).IsEmpty()) return;
    if (box.Width() < 2) {
        region.AddRect(box);
        return;
    }
    TEllipseRaster disc(box, std::max(box.Top, b.Top), std::min(box.Bottom, b.Bottom));
    for (int y = std::max(box.Top, b.Top); y < std::min(box.Bottom, b.Bottom); ++y) {
        const TEllipseRaster::TSpan s = disc.Interior(y);
        region.AddSpan(y, s.Left, s.Right);
    }
}

void TWidePenOutline::AddSegment(TSpanRegion& region, TPoint from, TPoint to, int width) {
    const int dx = to.X - from.X, dy = to.Y - from.Y;
    if (dy == 0) {
        const int top = from.Y - width / 2;
        region.AddRect(TRect{std::min(from.X, to.X), top, std::max(from.X, to.X), top + width});
        return;
    }
    if (dx == 0) {
        const int left = from.X - width / 2;
        region.AddRect(TRect{left, std::min(from.Y, to.Y), left + width, std::max(from.Y, to.Y)});
        return;
    }
    // A slanted band: the pen's width split across the segment, the larger half on the side
    // GDI gives the odd pixel.
    const double length = std::hypot(dx, dy);
    const double widthX = width * std::abs(dy) / length, widthY = width * std::abs(dx) / length;
    TPoint narrow{RoundAway(widthX / 2), RoundAway(widthY / 2)};
    TPoint wide{RoundAway((widthX + 1) / 2), RoundAway((widthY + 1) / 2)};
    if (dx < 0) {
        wide.Y = -wide.Y;
        narrow.Y = -narrow.Y;
    }
    if (dy < 0) {
        std::swap(narrow, wide);
        wide.X = -wide.X;
        narrow.X = -narrow.X;
    }
    const TPoint quad[4] = {
        {from.X - narrow.X, from.Y + narrow.Y},
        {from.X + wide.X, from.Y - wide.Y},
        {to.X + wide.X, to.Y - wide.Y},
        {to.X - narrow.X, to.Y + narrow.Y},
    };
    AddConvexPolygon(region, quad, 4);
}

void TWidePenOutline::AddConvexPolygon(TSpanRegion& region, const TPoint* points, int count) {
    int top = points[0].Y, bottom = points[0].Y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].Y);
        bottom = std::max(bottom, points[i].Y);
    }
    const TRect& b = region.Bounds();
    top = std::max(top, b.Top);
    bottom = std::min(bottom, b.Bottom);
    // Each scanline y takes the pixels from the left crossing up to the right one, an edge
    // counting for the rows from its upper end up to, not including, its lower end.
    for (int y = top; y < bottom; ++y) {
        double left = 0, right = 0;
        bool any = false;
        for (int i = 0; i < count; ++i) {
            TPoint p = points[i], q = points[(i + 1) % count];
            if (p.Y == q.Y) continue;
            if (p.Y > q.Y) std::swap(p, q);
            if (y < p.Y || y >= q.Y) continue;
            const double x = p.X + static_cast<double>(y - p.Y) * (q.X - p.X) / (q.Y - p.Y);
            if (!any) {
                left = right = x;
                any = true;
            } else {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (any)
            region.AddSpan(y, static_cast<int>(std::ceil(left)),
                           static_cast<int>(std::ceil(right)));
    }
}
