#include "gdi/TRegion.h"

#include <algorithm>

TRegion::TRegion(const TRect& r) {
    if (!r.IsEmpty()) FRects.push_back(r);
    UpdateBounds();
}

bool TRegion::Contains(TPoint p) const {
    if (!FBounds.Contains(p)) return false;
    return std::any_of(FRects.begin(), FRects.end(), [&](const TRect& r) { return r.Contains(p); });
}

void TRegion::UpdateBounds() {
    FBounds = TRect{};
    for (const TRect& r : FRects) FBounds = UnionRects(FBounds, r);
}

// In place: a context cuts its clip to each item it draws, and this allocates nothing.
void TRegion::Intersect(const TRect& r) {
    std::size_t kept = 0;
    for (const TRect& own : FRects) {
        const TRect part = IntersectRects(own, r);
        if (!part.IsEmpty()) FRects[kept++] = part;
    }
    FRects.resize(kept);
    UpdateBounds();
}

void TRegion::Intersect(const TRegion& other) {
    if (other.FRects.size() <= 1) {
        Intersect(other.FBounds);
        return;
    }
    std::vector<TRect> kept;
    for (const TRect& own : FRects)
        for (const TRect& theirs : other.FRects) {
            const TRect part = IntersectRects(own, theirs);
            if (!part.IsEmpty()) kept.push_back(part);
        }
    FRects = std::move(kept);
    UpdateBounds();
}

// Each rectangle that the cut meets leaves up to four pieces: the bands above and below the
// cut, and the parts left and right of it between them.
void TRegion::Subtract(const TRect& cut) {
    if (cut.IsEmpty() || IntersectRects(cut, FBounds).IsEmpty()) return;
    std::vector<TRect> kept;
    auto keep = [&](const TRect& r) {
        if (!r.IsEmpty()) kept.push_back(r);
    };
    for (const TRect& r : FRects) {
        const TRect hit = IntersectRects(r, cut);
        if (hit.IsEmpty()) {
            kept.push_back(r);
            continue;
        }
        keep(TRect{r.Left, r.Top, r.Right, hit.Top});
        keep(TRect{r.Left, hit.Bottom, r.Right, r.Bottom});
        keep(TRect{r.Left, hit.Top, hit.Left, hit.Bottom});
        keep(TRect{hit.Right, hit.Top, r.Right, hit.Bottom});
    }
    FRects = std::move(kept);
    UpdateBounds();
}
