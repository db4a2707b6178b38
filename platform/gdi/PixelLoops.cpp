#include "gdi/PixelLoops.h"

#include <algorithm>
#include <cstring>

namespace PixelLoops {

void FillSpan(TSurface& s, int y, int x0, int x1, TPixel p) {
    if (x1 <= x0) return;
    TPixel* row = s.Row(y) + x0;
    std::fill(row, row + (x1 - x0), p);
}

void FillRect(TSurface& s, const TRect& r, TPixel p) {
    for (int y = r.Top; y < r.Bottom; ++y) FillSpan(s, y, r.Left, r.Right, p);
}

void Copy(TSurface& s, int x, int y, const TSurface& from, const TRect& src) {
    const int w = src.Width();
    if (w <= 0) return;
    for (int row = 0; row < src.Height(); ++row)
        std::memcpy(s.Row(y + row) + x, from.Row(src.Top + row) + src.Left, sizeof(TPixel) * w);
}

void Invert(TSurface& s, int x, int y) { s.Row(y)[x] ^= 0x00FFFFFF; }

}  // namespace PixelLoops
