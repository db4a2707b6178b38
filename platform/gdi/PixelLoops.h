// The pixel loops under the GDI calls. They know nothing of pens, brushes or logical
// coordinates: every rectangle, span and point here is in device pixels and already clipped.
#pragma once

#include <array>
#include <cstdint>

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
// Copies the source rectangle src of from into out (made src's size), each channel whose
// field mask (red, green, blue) is 1 to 8 bits wide taken from the top of its byte and widened
// as the system widens a 16-bit bitmap's fields when it draws one: the field's bits, then as
// many of them again as fit, once (five bits abcde become abcdeabc).
void WidenFields(TSurface& out, const TSurface& from, const TRect& src,
                 const std::array<std::uint32_t, 3>& fieldMasks);
// Fills r with the pattern repeated across the surface, the pattern's top-left pixel falling
// on phase (and on every whole number of pattern sizes from it).
void PatternFill(TSurface& s, const TRect& r, const TSurface& pattern, TPoint phase);
// Paints ink through an 8-bit coverage mask (a glyph): the mask's pixel (0, 0) falls on
// device point origin and its rows are stride bytes apart; r, the part to paint, lies inside
// both the surface and the mask. Coverage 255 writes the ink, 0 leaves the pixel, anything
// between blends the two in proportion.
void MaskBlend(TSurface& s, const TRect& r, const std::uint8_t* mask, int stride, TPoint origin,
               TPixel ink);

}  // namespace PixelLoops
