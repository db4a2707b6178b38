#include "gdi/TSpanRegion.h"

#include <algorithm>

TSpanRegion::TSpanRegion(const TRect& bounds)
    : FBounds(bounds.IsEmpty() ? TRect{} : bounds),
      FRows(static_cast<std::size_t>(FBounds.Height())) {}

void TSpanRegion::AddSpan(int y, int x0, int x1) {
    if (y < FBounds.Top || y >= FBounds.Bottom) return;
    x0 = std::max(x0, FBounds.Left);
    x1 = std::min(x1, FBounds.Right);
    if (x0 >= x1) return;
    std::vector<TSpan>& row = FRows[static_cast<std::size_t>(y - FBounds.Top)];
    // Merge with every run the new one touches or overlaps.
    auto first = std::lower_bound(row.begin(), row.end(), x0,
                                  [](const TSpan& s, int x) { return s.Right < x; });
    auto last = first;
    while (last != row.end() && last->Left <= x1) {
        x0 = std::min(x0, last->Left);
        x1 = std::max(x1, last->Right);
        ++last;
    }
    first = row.erase(first, last);
    row.insert(first, TSpan{x0, x1});
}

void TSpanRegion::AddRect(const TRect& r) {
    const int top = std::max(r.Top, FBounds.Top), bottom = std::min(r.Bottom, FBounds.Bottom);
    for (int y = top; y < bottom; ++y) AddSpan(y, r.Left, r.Right);
}

const std::vector<TSpanRegion::TSpan>& TSpanRegion::Row(int y) const {
    static const std::vector<TSpan> kNone;
    if (y < FBounds.Top || y >= FBounds.Bottom) return kNone;
    return FRows[static_cast<std::size_t>(y - FBounds.Top)];
}
