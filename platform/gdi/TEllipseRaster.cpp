#include "gdi/TEllipseRaster.h"

#include <algorithm>

namespace {

// The error terms grow with the cube of the box size; 128 bits keep every int32 box exact.
__extension__ typedef __int128 TWide;

// The midpoint walk over a quarter of the ellipse with axes w - 1 and h - 1 (the box less
// its right column and bottom row), in the integer form that avoids any rounding.
struct TEllipseWalk {
    TWide A2x8, B2x8, Dx, Dy, Err;

    TEllipseWalk(int w, int h) {
        const TWide a = w - 1, b = h - 1, odd = (h - 1) % 2;
        A2x8 = 8 * a * a;
        B2x8 = 8 * b * b;
        Dx = 4 * b * b * (1 - a);
        Dy = 4 * a * a * (1 + odd);
        Err = Dx + Dy + a * a * odd;
    }
    // One step: whether x moves, then whether y moves.
    void Step(bool& stepX, bool& stepY) {
        const TWide e2 = 2 * Err;
        stepX = e2 >= Dx;
        stepY = e2 <= Dy;
        if (stepX) {
            Dx += B2x8;
            Err += Dx;
        }
        if (stepY) {
            Dy += A2x8;
            Err += Dy;
        }
    }
};

}  // namespace

TEllipseRaster::TEllipseRaster(const TRect& box, int rowsTop, int rowsBottom) : FBox(box) {
    const int w = box.Width(), h = box.Height(), half = h / 2;
    const int ya = std::max(rowsTop - box.Top, 0), yb = std::min(rowsBottom - box.Top, h);
    if (ya >= yb) return;
    // The upper half mirrors the lower half, so only lower-half rows are walked and stored:
    // those in view, and the mirrors of the upper rows in view.
    int lo = h, hi = half;
    if (std::max(ya, half) < yb) {
        lo = std::max(ya, half);
        hi = yb;
    }
    if (ya < std::min(yb, half)) {
        lo = std::min(lo, h - std::min(yb, half));
        hi = std::max(hi, h - ya);
    }
    FLowerFirst = lo;
    FInsets.assign(static_cast<std::size_t>(hi - lo), w / 2 + 1);

    // Walk from the middle row (inset 0) down; each row takes the inset reached when the
    // walk steps onto it.
    TEllipseWalk walk(w, h);
    int x = 0, y = half;
    auto store = [&](int row, int inset) {
        if (row >= lo && row < hi) FInsets[static_cast<std::size_t>(row - lo)] = inset;
    };
    store(y, 0);
    while (x <= w / 2 && y < hi) {
        bool stepX, stepY;
        walk.Step(stepX, stepY);
        if (stepX) ++x;
        if (stepY) store(++y, x);
    }
}

TEllipseRaster::TSpan TEllipseRaster::Interior(int y) const {
    const int h = FBox.Height(), row = y - FBox.Top;
    if (row < 0 || row >= h) return {};
    const int lower = row >= h / 2 ? row : h - 1 - row;
    if (lower < FLowerFirst || lower >= FLowerFirst + static_cast<int>(FInsets.size())) return {};
    const int inset = FInsets[static_cast<std::size_t>(lower - FLowerFirst)];
    if (FBox.Left + inset >= FBox.Right - inset) return {};
    return TSpan{FBox.Left + inset, FBox.Right - inset};
}

std::vector<TPoint> TEllipseRaster::QuadrantPoints() const {
    const int w = FBox.Width(), h = FBox.Height();
    std::vector<TPoint> points;
    TEllipseWalk walk(w, h);
    TPoint p{w - 1, h / 2};
    while (p.X >= w / 2) {
        points.push_back(p);
        bool stepX, stepY;
        walk.Step(stepX, stepY);
        if (stepX) --p.X;
        if (stepY) ++p.Y;
    }
    return points;
}

std::vector<TPoint> TEllipseRaster::Outline() const {
    const int w = FBox.Width(), h = FBox.Height();
    const int l = FBox.Left, t = FBox.Top, r = FBox.Right, b = FBox.Bottom;
    std::vector<TPoint> q = QuadrantPoints();
    const int n = static_cast<int>(q.size());
    // Upper right, then its mirror image on the left, then the mirror of both below; a
    // middle column or row shared by two mirror images appears once.
    const int upper = 2 * n - (w % 2 ? 1 : 0);
    const int total = 2 * upper - (h % 2 ? 1 : 0);
    std::vector<TPoint> points(static_cast<std::size_t>(total));
    for (int i = 0; i < n; ++i) points[i] = TPoint{l + q[i].X, t + h - 1 - q[i].Y};
    for (int i = 0; i < n; ++i)
        points[upper - 1 - i] = TPoint{l + r - 1 - points[i].X, points[i].Y};
    for (int i = 0; i < upper; ++i)
        points[total - 1 - i] = TPoint{points[i].X, t + b - 1 - points[i].Y};
    return points;
}
