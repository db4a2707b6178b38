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

TColor SystemColor(int index) {
    return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
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
    dc.Clip().ForEachPart(device,
                          [&](const TRect& part) { PixelLoops::FillRect(*dc.Surface(), part, p); });
}

// Fills what of a device rectangle the clip leaves with a brush that is not null: its colour,
// or its pattern aligned with the context's origin.
void FillWithBrush(TDeviceContext& dc, const TRect& device, const TGdiBrush& brush) {
    dc.Clip().ForEachPart(device, [&](const TRect& part) {
        if (brush.Style == BS_PATTERN && brush.Pattern)
            PixelLoops::PatternFill(*dc.Surface(), part, *brush.Pattern, dc.Origin());
        else
            PixelLoops::FillRect(*dc.Surface(), part, PixelOf(brush.Color));
    });
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

// One segment of a one-pixel stroke, device coordinates, end point left out, drawn through
// each rectangle of the clip in turn. The pattern advances by the segment's whole length,
// clipped or not.
void StrokeSegment(TDeviceContext& dc, TPoint from, TPoint to, TStroke& stroke) {
    const TLineRaster line(from, to);
    TSurface& s = *dc.Surface();
    const std::int64_t start = stroke.Position;
    for (const TRect& clip : dc.Clip().Rects()) {
        const TLineRaster::TRange range = line.Clipped(clip);
        if (stroke.Dash.IsSolid()) {
            line.ForEach(range, [&](int x, int y, std::int64_t) { Apply(s, x, y, stroke.On); });
        } else {
            line.ForEach(range, [&](int x, int y, std::int64_t i) {
                Apply(s, x, y, stroke.Dash.IsOn(start + i) ? stroke.On : stroke.Off);
            });
        }
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
            FillDevice(dc, TRect{s.Left, y, s.Right, y + 1}, p);
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

// ---- edges ----------------------------------------------------------------------------

constexpr int kNone = -1;

// Colour of each line by the edge's four BDR_ bits, as system colour indices.
constexpr int kTopLeftInner[16] = {kNone,
                                   kNone,
                                   kNone,
                                   kNone,
                                   kNone,
                                   COLOR_BTNHIGHLIGHT,
                                   COLOR_BTNHIGHLIGHT,
                                   kNone,
                                   kNone,
                                   COLOR_3DDKSHADOW,
                                   COLOR_3DDKSHADOW,
                                   kNone,
                                   kNone,
                                   kNone,
                                   kNone,
                                   kNone};
constexpr int kTopLeftOuter[16] = {kNone,
                                   COLOR_3DLIGHT,
                                   COLOR_BTNSHADOW,
                                   kNone,
                                   COLOR_BTNHIGHLIGHT,
                                   COLOR_3DLIGHT,
                                   COLOR_BTNSHADOW,
                                   kNone,
                                   COLOR_3DDKSHADOW,
                                   COLOR_3DLIGHT,
                                   COLOR_BTNSHADOW,
                                   kNone,
                                   kNone,
                                   COLOR_3DLIGHT,
                                   COLOR_BTNSHADOW,
                                   kNone};
constexpr int kBottomRightInner[16] = {
    kNone, kNone,         kNone,         kNone, kNone, COLOR_BTNSHADOW, COLOR_BTNSHADOW, kNone,
    kNone, COLOR_3DLIGHT, COLOR_3DLIGHT, kNone, kNone, kNone,           kNone,           kNone};
constexpr int kBottomRightOuter[16] = {
    kNone,           COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    COLOR_3DLIGHT,   COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone,
    kNone,           COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, kNone};
// The soft edge swaps the top-left colours.
constexpr int kTopLeftInnerSoft[16] = {
    kNone, kNone,           kNone,           kNone, kNone, COLOR_3DLIGHT, COLOR_3DLIGHT, kNone,
    kNone, COLOR_BTNSHADOW, COLOR_BTNSHADOW, kNone, kNone, kNone,         kNone,         kNone};
constexpr int kTopLeftOuterSoft[16] = {
    kNone,           COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    COLOR_3DLIGHT,   COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone,
    kNone,           COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, kNone};
// Flat and mono edges: one colour all round, a frame outside and the face or window inside.
constexpr int kOuterFlat[16] = {kNone,         COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW,
                                COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW,
                                COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW,
                                COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNSHADOW};
constexpr int kOuterMono[16] = {
    kNone,        COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME,
    COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME,
    COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME,
    COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
constexpr int kInnerMono[16] = {kNone, kNone,        kNone,        kNone,
                                kNone, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW,
                                kNone, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW,
                                kNone, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW};

// One line of an edge in a system colour, as a one-pixel LineTo draws it: the end left out,
// and nothing for an edge without that line.
void EdgeLine(TDeviceContext& dc, int colorIndex, int x0, int y0, int x1, int y1) {
    if (colorIndex == kNone) return;
    TStroke stroke;
    stroke.On = TInk{TInk::imCopy, PixelOf(SystemColor(colorIndex))};
    StrokeSegment(dc, dc.ToDevice(TPoint{x0, y0}), dc.ToDevice(TPoint{x1, y1}), stroke);
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
            if (!run.IsEmpty()) FillWithBrush(dc, run, dc.Brush);
            run = left < right ? TRect{left, y, right, y + 1} : TRect{};
        }
        if (!run.IsEmpty()) FillWithBrush(dc, run, dc.Brush);
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
    if (dc.Clip().Contains(p)) PixelLoops::Plot(*dc.Surface(), p.X, p.Y, PixelOf(color));
}

const TSurface& BlitPixels(const TBitmapImage* image, const TSurface& pixels, TRect& source,
                           TSurface& scratch) {
    if (!image || !image->HasFields()) return pixels;
    const TRect part = IntersectRects(NormalizedRect(source), pixels.Bounds());
    PixelLoops::WidenFields(scratch, pixels, part, image->FieldMasks);
    source = Translated(source, -part.Left, -part.Top);
    return scratch;
}

void DrawBitmap(TDeviceContext& dc, int x, int y, const TBitmapImage& image) {
    TRect source = image.Pixels.Bounds();
    TSurface scratch;
    const TSurface& pixels = BlitPixels(&image, image.Pixels, source, scratch);
    DrawBitmap(dc, x, y, pixels, source);
}

void DrawBitmap(TDeviceContext& dc, int x, int y, const TSurface& pixels, const TRect& source) {
    const TRect src = IntersectRects(source, pixels.Bounds());
    dc.Record({"Draw", TRect{x, y, x + source.Width(), y + source.Height()}, 0, 0});
    if (src.IsEmpty()) return;
    // The part of the source that exists, placed where it falls in the destination.
    const TRect dest =
        dc.ToDevice(TRect{x + (src.Left - source.Left), y + (src.Top - source.Top),
                          x + (src.Right - source.Left), y + (src.Bottom - source.Top)});
    dc.Clip().ForEachPart(dest, [&](const TRect& part) {
        const TRect from = Translated(part, src.Left - dest.Left, src.Top - dest.Top);
        PixelLoops::Copy(*dc.Surface(), part.Left, part.Top, pixels, from);
    });
}

void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TBitmapImage& image) {
    TRect source = image.Pixels.Bounds();
    TSurface scratch;
    const TSurface& pixels = BlitPixels(&image, image.Pixels, source, scratch);
    StretchBitmap(dc, dest, pixels, source);
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
    dc.Clip().ForEachPart(visible, [&](const TRect& part) {
        PixelLoops::Resample(*dc.Surface(), part, pixels,
                             &xs[static_cast<std::size_t>(part.Left - visible.Left)],
                             &ys[static_cast<std::size_t>(part.Top - visible.Top)]);
    });
}

bool DrawEdge(TDeviceContext& dc, TRect& rect, unsigned edge, unsigned flags) {
    dc.Record({"DrawEdge", rect, 0, static_cast<int>(edge)});
    const unsigned type = edge & 0xF;
    int topLeftInner = kTopLeftInner[type], topLeftOuter = kTopLeftOuter[type];
    int bottomRightInner = kBottomRightInner[type], bottomRightOuter = kBottomRightOuter[type];
    if (flags & BF_MONO) {
        topLeftInner = bottomRightInner = kInnerMono[type];
        topLeftOuter = bottomRightOuter = kOuterMono[type];
    } else if (flags & BF_FLAT) {
        topLeftOuter = bottomRightOuter = kOuterFlat[type];
        topLeftInner = bottomRightInner = kInnerMono[type] == kNone ? kNone : COLOR_BTNFACE;
    } else if (flags & BF_SOFT) {
        topLeftInner = kTopLeftInnerSoft[type];
        topLeftOuter = kTopLeftOuterSoft[type];
    }
    // Where two sides meet, the inner lines stop a pixel short of the corner.
    auto both = [&](unsigned sides) { return (flags & sides) == sides ? 1 : 0; };
    const int lb = both(BF_LEFT | BF_BOTTOM), rt = both(BF_RIGHT | BF_TOP);
    const int rb = both(BF_RIGHT | BF_BOTTOM), lt = both(BF_LEFT | BF_TOP);
    const TRect r = rect;
    if (dc.Surface()) {
        if (flags & BF_TOP) EdgeLine(dc, topLeftOuter, r.Left, r.Top, r.Right, r.Top);
        if (flags & BF_LEFT) EdgeLine(dc, topLeftOuter, r.Left, r.Top, r.Left, r.Bottom);
        if (flags & BF_BOTTOM)
            EdgeLine(dc, bottomRightOuter, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
        if (flags & BF_RIGHT)
            EdgeLine(dc, bottomRightOuter, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
        if (flags & BF_TOP)
            EdgeLine(dc, topLeftInner, r.Left + lt, r.Top + 1, r.Right - rt, r.Top + 1);
        if (flags & BF_LEFT)
            EdgeLine(dc, topLeftInner, r.Left + 1, r.Top + lt, r.Left + 1, r.Bottom - lb);
        if (flags & BF_BOTTOM)
            EdgeLine(dc, bottomRightInner, r.Left + lb, r.Bottom - 2, r.Right - rb, r.Bottom - 2);
        if (flags & BF_RIGHT)
            EdgeLine(dc, bottomRightInner, r.Right - 2, r.Top + rt, r.Right - 2, r.Bottom - rb);
    }
    // An edge with both raised and sunken lines on one side is no 3-D edge: it has no face.
    const bool solid =
        !(((type & 0xC) == 0xC || (type & 0x3) == 0x3) && !(flags & (BF_FLAT | BF_MONO)));
    if (((flags & BF_MIDDLE) && solid) || (flags & BF_ADJUST)) {
        const int lines = (kInnerMono[type] != kNone ? 1 : 0) + (kOuterMono[type] != kNone ? 1 : 0);
        TRect inner = r;
        if (flags & BF_LEFT) inner.Left += lines;
        if (flags & BF_RIGHT) inner.Right -= lines;
        if (flags & BF_TOP) inner.Top += lines;
        if (flags & BF_BOTTOM) inner.Bottom -= lines;
        if ((flags & BF_MIDDLE) && solid && dc.Surface()) {
            const TColor face = SystemColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
            FillWithBrush(dc, BlitBox(dc, inner), TGdiBrush{BS_SOLID, face, nullptr});
        }
        if (flags & BF_ADJUST) rect = inner;
    }
    return solid;
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
