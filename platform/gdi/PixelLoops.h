// The pixel loops under the GDI calls. They know nothing of pens, brushes or logical
// coordinates: every rectangle, span and point here is in device pixels and already clipped.
#pragma once

#include "gdi/TSurface.h"

namespace PixelLoops {

// Fills the clipped device rectangle r.
void FillRect(TSurface& s, const TRect& r, TPixel p);
// Fills pixels x0 .. x1 - 1 of row y.
void FillSpan(TSurface& s, int y, int x0, int x1, TPixel p);
inline void Plot(TSurface& s, int x, int y, TPixel p) {
    s.Row(y)[x] = p;
}
// Copies the source rectangle src of from to device point (x, y) of s, pixel for pixel. The
// caller has clipped both rectangles.
void Copy(TSurface& s, int x, int y, const TSurface& from, const TRect& src);
// Inverts the colour bits of the pixel (XOR with white).
void Invert(TSurface& s, int x, int y);
// Fills dest with from's pixel (columns[x - dest.Left], rows[y - dest.Top]) at each (x, y).
void Resample(TSurface& s, const TRect& dest, const TSurface& from, const int* columns,
              const int* rows);

}  // namespace PixelLoops
