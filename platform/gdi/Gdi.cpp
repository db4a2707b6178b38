#include "gdi/Gdi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "core/SysColors.h"
#include "gdi/PixelLoops.h"
#include "gdi/TDashPattern.h"
#include "gdi/TEllipseRaster.h"
#include "gdi/TLineRaster.h"
#include "gdi/TStretchMap.h"
#include "gdi/TWidePenOutline.h"

namespace Gdi {
namespace {

TPixel PixelOf(TColor c) {
    return PixelFromColorRef(ColorToRGB(c));
}

// An ellipse's outline is walked whole, however little of it is visible, so an ellipse
// beyond this size (no control draws one) is left out rather than cost seconds and
// gigabytes.
constexpr int kMaxEllipseSide = 1 << 22;

// ---- device rectangles ----------------------------------------------------------------

// The device box of a shape call: both corners through the origin, then put in order.
TRect DeviceBox(const TDeviceContext& dc, int x1, int y1, int x2, int y2) {
    return NormalizedRect(dc.ToDevice(TRect{x1, y1, x2, y2}));
}

// The device pixels a pattern blit of r covers. An inverted side covers from the smaller
// coordinate plus one to the larger plus one, as GDI orders a negative width or height.
TRect BlitBox(const TDeviceContext& dc, const TRect& r) {
    const TRect d = dc.ToDevice(r);
    auto side = [](std::int32_t a, std::int32_t b, std::int32_t& from, std::int32_t& to) {
        const std::int64_t shift = a > b ? 1 : 0;
        from = static_cast<std::int32_t>(std::min<std::int64_t>(std::min(a, b) + shift, INT32_MAX));
        to = static_cast<std::int32_t>(std::min<std::int64_t>(std::max(a, b) + shift, INT32_MAX));
    };
    TRect box;
    side(d.Left, d.Right, box.Left, box.Right);
    side(d.Top, d.Bottom, box.Top, box.Bottom);
    return box;
}

void FillDevice(TDeviceContext& dc, const TRect& device, TPixel p) {
    const TRect r = IntersectRects(device, dc.DeviceClip());
    if (r.IsEmpty()) return;
    PixelLoops::FillRect(*dc.Surface(), r, p);
}

// Fills a device rectangle, already clipped, with a brush that is not null: its colour, or
// its pattern aligned with the context's origin.
void FillClippedWithBrush(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush) {
    if (brush.Style == BS_PATTERN && brush.Pattern)
        PixelLoops::PatternFill(*dc.Surface(), r, *brush.Pattern, dc.Origin());
    else
        PixelLoops::FillRect(*dc.Surface(), r, PixelOf(brush.Color));
}

void FillWithBrush(TDeviceContext& dc, const TRect& device, const TGdiBrush& brush) {
    const TRect r = IntersectRects(device, dc.DeviceClip());
    if (!r.IsEmpty()) FillClippedWithBrush(dc, r, brush);
}

// ---- pens ---------------------------------------------------------------------------------

// How a pen draws: not at all, one pixel wide (solid or styled), or wider (always solid; a
// styled pen wider than one pixel draws solid, as cosmetic pens do).
struct TPenShape {
    enum TKind : std::uint8_t { pkNull, pkThin, pkWide };
    TKind Kind;
    int Width;
};

TPenShape ShapeOf(const TGdiPen& pen) {
    if (pen.Style == PS_NULL) return {TPenShape::pkNull, 0};
    if (pen.Width <= 1) return {TPenShape::pkThin, 1};
    return {TPenShape::pkWide, pen.Width};
}

// The inside-frame style keeps a wide pen inside the box by moving the box's outline in.
TRect InsideFrame(const TGdiPen& pen, const TPenShape& shape, TRect box) {
    if (pen.Style != PS_INSIDEFRAME) return box;
    return TRect{box.Left + shape.Width / 2, box.Top + shape.Width / 2,
                 box.Right - (shape.Width - 1) / 2, box.Bottom - (shape.Width - 1) / 2};
}

// What a one-pixel stroke does to a pixel in an "on" run and in an "off" run.
struct TInk {
    enum TMode : std::uint8_t { imNone, imCopy, imInvert };
    TMode Mode = imNone;
    TPixel Pixel = 0;
};

// A one-pixel pen resolved for one figure: its pattern, its inks, and how far along the
// pattern the figure has got.
struct TStroke {
    TDashPattern Dash;
    TInk On;
    TInk Off;
    std::int64_t Position = 0;
};

TStroke ThinStroke(const TDeviceContext& dc) {
    TStroke s;
    s.Dash = TDashPattern::ForPenStyle(dc.Pen.Style);
    s.On = TInk{TInk::imCopy, PixelOf(dc.Pen.Color)};
    // The gaps of a styled pen take the background colour when the background is opaque.
    if (!s.Dash.IsSolid() && dc.BkMode == kBkModeOpaque)
        s.Off = TInk{TInk::imCopy, PixelOf(dc.BkColor)};
    return s;
}

void Apply(TSurface& s, int x, int y, const TInk& ink) {
    if (ink.Mode == TInk::imCopy)
        PixelLoops::Plot(s, x, y, ink.Pixel);
    else if (ink.Mode == TInk::imInvert)
        PixelLoops::Invert(s, x, y);
}

// One segment of a one-pixel stroke, device coordinates, end point left out. The pattern
// advances by the segment's whole length, clipped or not.
void StrokeSegment(TDeviceContext& dc, TPoint from, TPoint to, TStroke& stroke) {
    const TLineRaster line(from, to);
    const TLineRaster::TRange range = line.Clipped(dc.DeviceClip());
    TSurface& s = *dc.Surface();
    if (stroke.Dash.IsSolid()) {
        line.ForEach(range, [&](int x, int y, std::int64_t) { Apply(s, x, y, stroke.On); });
    } else {
        const std::int64_t start = stroke.Position;
        line.ForEach(range, [&](int x, int y, std::int64_t i) {
            Apply(s, x, y, stroke.Dash.IsOn(start + i) ? stroke.On : stroke.Off);
        });
    }
    stroke.Position += line.Length();
}

void StrokeFigure(TDeviceContext& dc, const std::vector<TPoint>& points, bool closed,
                  TStroke& stroke) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        StrokeSegment(dc, points[i], points[i + 1], stroke);
    if (closed && points.size() > 1) StrokeSegment(dc, points.back(), points.front(), stroke);
}

void PaintRegion(TDeviceContext& dc, const TSpanRegion& region, TPixel p) {
    const TRect& b = region.Bounds();
    for (int y = b.Top; y < b.Bottom; ++y)
        for (const TSpanRegion::TSpan& s : region.Row(y))
            PixelLoops::FillSpan(*dc.Surface(), y, s.Left, s.Right, p);
}

// Draws a figure (device points) with the context's pen, whatever its kind.
void StrokeWithPen(TDeviceContext& dc, const std::vector<TPoint>& points, bool closed) {
    const TPenShape shape = ShapeOf(dc.Pen);
    if (shape.Kind == TPenShape::pkThin) {
        TStroke stroke = ThinStroke(dc);
        StrokeFigure(dc, points, closed, stroke);
    } else if (shape.Kind == TPenShape::pkWide) {
        PaintRegion(dc, TWidePenOutline::Build(points, closed, shape.Width, dc.DeviceClip()),
                    PixelOf(dc.Pen.Color));
    }
}

// The outline of a Rectangle: counterclockwise from the top-right corner, on the box's last
// column and row.
std::vector<TPoint> RectangleOutline(const TRect& box) {
    const int r = box.Right - 1, b = box.Bottom - 1;
    return {TPoint{r, box.Top}, TPoint{box.Left, box.Top}, TPoint{box.Left, b}, TPoint{r, b}};
}

void RectangleInDevice(TDeviceContext& dc, TRect box) {
    if (box.Width() == 0 || box.Height() == 0) return;
    const TPenShape shape = ShapeOf(dc.Pen);
    box = InsideFrame(dc.Pen, shape, box);
    // GDI takes the box less its right column and bottom row; a one-pixel pen draws on that
    // box's edge and the brush fills what lies inside, a null pen leaves it all to the brush.
    const TRect inner{box.Left, box.Top, box.Right - 1, box.Bottom - 1};
    if (dc.Brush.Style != BS_NULL) {
        TRect fill = inner;
        if (shape.Kind == TPenShape::pkThin)
            fill = TRect{inner.Left + 1, inner.Top + 1, inner.Right, inner.Bottom};
        FillWithBrush(dc, fill, dc.Brush);
    }
    StrokeWithPen(dc, RectangleOutline(box), true);
}

}  // namespace

void FillRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush) {
    dc.Record({"FillRect", r, brush.Color, brush.Style});
    if (brush.Style == BS_NULL) return;
    FillWithBrush(dc, BlitBox(dc, r), brush);
}

void FrameRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush) {
    dc.Record({"FrameRect", r, brush.Color, brush.Style});
    if (brush.Style == BS_NULL || r.IsEmpty()) return;
    const TRect d = dc.ToDevice(r);
    const TPixel p = PixelOf(brush.Color);
    FillDevice(dc, TRect{d.Left, d.Top, d.Left + 1, d.Bottom}, p);
    FillDevice(dc, TRect{d.Right - 1, d.Top, d.Right, d.Bottom}, p);
    FillDevice(dc, TRect{d.Left, d.Top, d.Right, d.Top + 1}, p);
    FillDevice(dc, TRect{d.Left, d.Bottom - 1, d.Right, d.Bottom}, p);
}

void Rectangle(TDeviceContext& dc, int x1, int y1, int x2, int y2) {
    dc.Record({"Rectangle", TRect{x1, y1, x2, y2}, dc.Brush.Color, dc.Pen.Style});
    RectangleInDevice(dc, DeviceBox(dc, x1, y1, x2, y2));
}

void Ellipse(TDeviceContext& dc, int x1, int y1, int x2, int y2) {
    dc.Record({"Ellipse", TRect{x1, y1, x2, y2}, dc.Brush.Color, dc.Pen.Style});
    const TRect outer = DeviceBox(dc, x1, y1, x2, y2);
    if (outer.Width() == 0 || outer.Height() == 0) return;
    const TPenShape shape = ShapeOf(dc.Pen);
    const TRect box = InsideFrame(dc.Pen, shape, outer);
    if (box.Width() <= 2 || box.Height() <= 2) {
        RectangleInDevice(dc, outer);
        return;
    }
    if (box.Width() > kMaxEllipseSide || box.Height() > kMaxEllipseSide) return;
    const TRect& clip = dc.DeviceClip();
    const int top = std::max(box.Top, clip.Top), bottom = std::min(box.Bottom, clip.Bottom);
    const TEllipseRaster ellipse(box, top, bottom);
    if (dc.Brush.Style != BS_NULL) {
        // Rows whose clipped spans agree are filled as one rectangle: in a ring far larger
        // than the surface that is most rows, each a whole surface row.
        TRect run{};
        for (int y = top; y < bottom; ++y) {
            const TEllipseRaster::TSpan s = ellipse.Interior(y);
            const int left = std::max(s.Left, clip.Left), right = std::min(s.Right, clip.Right);
            if (left < right && left == run.Left && right == run.Right && y == run.Bottom) {
                ++run.Bottom;
                continue;
            }
            if (!run.IsEmpty()) FillClippedWithBrush(dc, run, dc.Brush);
            run = left < right ? TRect{left, y, right, y + 1} : TRect{};
        }
        if (!run.IsEmpty()) FillClippedWithBrush(dc, run, dc.Brush);
    }
    if (shape.Kind != TPenShape::pkNull) StrokeWithPen(dc, ellipse.Outline(), true);
}

void MoveTo(TDeviceContext& dc, int x, int y) {
    dc.Record({"MoveTo", TRect{x, y, x, y}, dc.Pen.Color, dc.Pen.Style});
    dc.CurrentPosition = TPoint{x, y};
}

void LineTo(TDeviceContext& dc, int x, int y) {
    const TPoint from = dc.CurrentPosition;
    dc.Record({"LineTo", TRect{from.X, from.Y, x, y}, dc.Pen.Color, dc.Pen.Style});
    dc.CurrentPosition = TPoint{x, y};
    StrokeWithPen(dc, {dc.ToDevice(from), dc.ToDevice(TPoint{x, y})}, false);
}

void Polyline(TDeviceContext& dc, const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    dc.Record({"Polyline",
               TRect{points.front().X, points.front().Y, points.back().X, points.back().Y},
               dc.Pen.Color, dc.Pen.Style});
    std::vector<TPoint> device(points.size());
    std::transform(points.begin(), points.end(), device.begin(),
                   [&](TPoint p) { return dc.ToDevice(p); });
    StrokeWithPen(dc, device, false);
}

void SetPixel(TDeviceContext& dc, int x, int y, TColor color) {
    const TPoint p = dc.ToDevice(TPoint{x, y});
    dc.NoteDrawn();
    if (dc.DeviceClip().Contains(p)) PixelLoops::Plot(*dc.Surface(), p.X, p.Y, PixelOf(color));
}

void DrawBitmap(TDeviceContext& dc, int x, int y, const TBitmapImage& image) {
    DrawBitmap(dc, x, y, image.Pixels, image.Pixels.Bounds());
}

void DrawBitmap(TDeviceContext& dc, int x, int y, const TSurface& pixels, const TRect& source) {
    const TRect src = IntersectRects(source, pixels.Bounds());
    dc.Record({"Draw", TRect{x, y, x + source.Width(), y + source.Height()}, 0, 0});
    if (src.IsEmpty()) return;
    // The part of the source that exists, placed where it falls in the destination.
    const TRect dest =
        dc.ToDevice(TRect{x + (src.Left - source.Left), y + (src.Top - source.Top),
                          x + (src.Right - source.Left), y + (src.Bottom - source.Top)});
    const TRect visible = IntersectRects(dest, dc.DeviceClip());
    if (visible.IsEmpty()) return;
    const TRect from = Translated(visible, src.Left - dest.Left, src.Top - dest.Top);
    PixelLoops::Copy(*dc.Surface(), visible.Left, visible.Top, pixels, from);
}

void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TBitmapImage& image) {
    StretchBitmap(dc, dest, image.Pixels, image.Pixels.Bounds());
}

void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TSurface& pixels,
                   const TRect& source) {
    dc.Record({"StretchDraw", dest, 0, 0});
    if (source.IsEmpty() || IntersectRects(source, pixels.Bounds()) != source) return;
    const TRect d = dc.ToDevice(dest);
    const std::int64_t w = std::int64_t{d.Right} - d.Left, h = std::int64_t{d.Bottom} - d.Top;
    if (w == 0 || h == 0 || std::abs(w) > INT32_MAX || std::abs(h) > INT32_MAX) return;
    // Destination pixels are counted from the corner the call names, toward the other one.
    const TRect visible = IntersectRects(BlitBox(dc, dest), dc.DeviceClip());
    if (visible.IsEmpty()) return;
    const TStretchMap columns(source.Width(), static_cast<int>(std::abs(w)), TStretchMap::svLast);
    const TStretchMap rows(source.Height(), static_cast<int>(std::abs(h)), TStretchMap::svFirst);
    std::vector<int> xs(static_cast<std::size_t>(visible.Width()));
    std::vector<int> ys(static_cast<std::size_t>(visible.Height()));
    for (int x = visible.Left; x < visible.Right; ++x)
        xs[static_cast<std::size_t>(x - visible.Left)] =
            source.Left + columns.SourceIndex(w > 0 ? x - d.Left : d.Left - x);
    for (int y = visible.Top; y < visible.Bottom; ++y)
        ys[static_cast<std::size_t>(y - visible.Top)] =
            source.Top + rows.SourceIndex(h > 0 ? y - d.Top : d.Top - y);
    PixelLoops::Resample(*dc.Surface(), visible, pixels, xs.data(), ys.data());
}

void DrawFocusRect(TDeviceContext& dc, const TRect& r) {
    dc.Record({"DrawFocusRect", r, 0, 0});
    const TRect box = NormalizedRect(dc.ToDevice(r));
    if (box.Width() == 0 || box.Height() == 0) return;
    // The alternate pen (one on, one off) along the Rectangle outline, inverting.
    TStroke stroke;
    stroke.Dash = TDashPattern::Alternate();
    stroke.On = TInk{TInk::imInvert, 0};
    StrokeFigure(dc, RectangleOutline(box), true, stroke);
}

}  // namespace Gdi
