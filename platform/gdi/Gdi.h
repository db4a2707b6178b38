// What the GDI calls mean: logical coordinates through the context's origin, GDI's rules for
// which pixels a shape covers, clipping to the context. The pixels are written by PixelLoops.
#pragma once

#include "gdi/TBitmapImage.h"
#include "gdi/TDeviceContext.h"

namespace Gdi {

// Fills r (right and bottom exclusive) with the brush; a null brush fills nothing.
void FillRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush);
// A one-pixel frame just inside r, painted with the brush.
void FrameRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush);
// The context's pen outlines the box inside (x1, y1, x2, y2) and its brush fills the inside.
// With a null pen the filled box loses its right column and bottom row.
void Rectangle(TDeviceContext& dc, int x1, int y1, int x2, int y2);
// The ellipse inscribed in the box, outlined with the pen and filled with the brush.
void Ellipse(TDeviceContext& dc, int x1, int y1, int x2, int y2);
void MoveTo(TDeviceContext& dc, int x, int y);
// A line from the current position to (x, y) with the pen, end point left out; the end point
// becomes the current position.
void LineTo(TDeviceContext& dc, int x, int y);
void SetPixel(TDeviceContext& dc, int x, int y, TColor color);
// The bitmap at its own size with its top-left corner at (x, y).
void DrawBitmap(TDeviceContext& dc, int x, int y, const TBitmapImage& image);
// The whole bitmap scaled to dest (nearest pixel, as StretchBlt in COLORONCOLOR mode).
void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TBitmapImage& image);
// The dotted focus frame, drawn by inverting every other pixel.
void DrawFocusRect(TDeviceContext& dc, const TRect& r);

}  // namespace Gdi
