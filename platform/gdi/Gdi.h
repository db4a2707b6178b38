// What the GDI calls mean: logical coordinates through the context's origin, GDI's rules for
// which pixels a shape covers, clipping to the context. Each call orders its device
// rectangle, insets it for the pen, cuts it to the clip and returns early when nothing is
// left; the geometry comes from TLineRaster, TEllipseRaster, TWidePenOutline and TStretchMap,
// and the pixels are written by PixelLoops.
#pragma once

#include <vector>

#include "gdi/TBitmapImage.h"
#include "gdi/TDeviceContext.h"

namespace Gdi {

// Fills r (right and bottom exclusive) with the brush; a null brush fills nothing. As with
// GDI's pattern blit, an inverted side fills the pixels from the smaller coordinate plus one
// up to the larger plus one.
void FillRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush);
// A one-pixel frame just inside r, painted with the brush; nothing when r is empty or
// inverted.
void FrameRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush);
// The context's pen outlines the box (x1, y1, x2, y2), corners in any order, along its
// inside for a one-pixel pen and centred on that line for a wider one; the brush fills the
// inside. With a null pen the filled box loses its right column and bottom row.
void Rectangle(TDeviceContext& dc, int x1, int y1, int x2, int y2);
// The ellipse inscribed in the box, filled with the brush and outlined with the pen. A null
// pen fills the same pixels as a solid one without drawing the outline; a box two pixels
// wide or high or less is drawn as a Rectangle; one over 4 194 304 pixels wide or high is not
// drawn at all.
void Ellipse(TDeviceContext& dc, int x1, int y1, int x2, int y2);
void MoveTo(TDeviceContext& dc, int x, int y);
// A line from the current position to (x, y) with the pen, end point left out; the end point
// becomes the current position. A dashed pen starts its pattern afresh at every call.
void LineTo(TDeviceContext& dc, int x, int y);
// Lines through the points in turn; a dashed pen's pattern runs on across the corners.
void Polyline(TDeviceContext& dc, const std::vector<TPoint>& points);
void SetPixel(TDeviceContext& dc, int x, int y, TColor color);
// The bitmap at its own size with its top-left corner at (x, y).
void DrawBitmap(TDeviceContext& dc, int x, int y, const TBitmapImage& image);
// The source rectangle of pixels with its top-left corner at (x, y), as BitBlt copies; what
// of source lies outside pixels copies nothing.
void DrawBitmap(TDeviceContext& dc, int x, int y, const TSurface& pixels, const TRect& source);
// The whole bitmap scaled to dest (nearest pixel, as StretchBlt in COLORONCOLOR mode); a dest
// with right left of left, or bottom above top, mirrors the image.
void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TBitmapImage& image);
// The source rectangle of pixels scaled to dest; a source that is empty or reaches outside
// pixels draws nothing.
void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TSurface& pixels,
                   const TRect& source);
// What a blit copies from the source rectangle of a bitmap's pixels (image may be null: plain
// pixels): the pixels themselves, or, for a bitmap read from 16-bit pixels, the part of the
// source that exists widened as the system draws such a bitmap, made in scratch, with source
// moved to match.
const TSurface& BlitPixels(const TBitmapImage* image, const TSurface& pixels, TRect& source,
                           TSurface& scratch);
// DrawEdge (WinApi.h): each line as a one-pixel LineTo in its system colour, the face filled
// as FillRect fills, rect moved in by BF_ADJUST; returns whether the edge has a face.
bool DrawEdge(TDeviceContext& dc, TRect& rect, unsigned edge, unsigned flags);
// The dotted focus frame: every other pixel along the outline that Rectangle would draw,
// inverted, so that drawing it twice restores the pixels.
void DrawFocusRect(TDeviceContext& dc, const TRect& r);

}  // namespace Gdi
