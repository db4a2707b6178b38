#include "gdi/Gdi.h"

#include <cmath>
#include <cstdlib>

#include "core/SysColors.h"
#include "gdi/PixelLoops.h"

namespace Gdi {
namespace {

TPixel PixelOf(TColor c) { return PixelFromColorRef(ColorToRGB(c)); }

// Fills a device rectangle cut to the clip.
void FillDevice(TDeviceContext& dc, const TRect& device, TPixel p) {
    TRect r = IntersectRects(device, dc.DeviceClip());
    if (r.IsEmpty()) return;
    PixelLoops::FillRect(*dc.Surface(), r, p);
}

void PlotDevice(TDeviceContext& dc, int x, int y, TPixel p) {
    if (dc.DeviceClip().Contains(TPoint{x, y})) dc.Surface()->Set(x, y, p);
}

// The on/off runs of cosmetic dashed pens, in pixels.
struct TDash {
    int On;
    int Off;
};
TDash DashOf(int style) {
    switch (style) {
        case PS_DASH: return {18, 6};
        case PS_DOT: return {3, 3};
        default: return {1, 0};
    }
}

// Bresenham stroke from (x0, y0) toward (x1, y1), device coordinates, end point excluded.
// dashPos carries the position in the dash pattern from one segment to the next.
void StrokeDevice(TDeviceContext& dc, int x0, int y0, int x1, int y1, const TGdiPen& pen,
                  int& dashPos) {
    const TPixel p = PixelOf(pen.Color);
    const TDash dash = DashOf(pen.Style);
    const int period = dash.On + dash.Off;
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    int x = x0, y = y0;
    while (!(x == x1 && y == y1)) {
        if (dash.Off == 0 || dashPos % period < dash.On) PlotDevice(dc, x, y, p);
        ++dashPos;
        int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace

void FillRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush) {
    dc.Record({"FillRect", r, brush.Color, brush.Style});
    if (brush.Style == BS_NULL) return;
    FillDevice(dc, dc.ToDevice(r), PixelOf(brush.Color));
}

void FrameRect(TDeviceContext& dc, const TRect& r, const TGdiBrush& brush) {
    dc.Record({"FrameRect", r, brush.Color, brush.Style});
    if (brush.Style == BS_NULL || r.IsEmpty()) return;
    const TRect d = dc.ToDevice(r);
    const TPixel p = PixelOf(brush.Color);
    FillDevice(dc, TRect{d.Left, d.Top, d.Right, d.Top + 1}, p);
    FillDevice(dc, TRect{d.Left, d.Bottom - 1, d.Right, d.Bottom}, p);
    FillDevice(dc, TRect{d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, p);
    FillDevice(dc, TRect{d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, p);
}

void Rectangle(TDeviceContext& dc, int x1, int y1, int x2, int y2) {
    const TRect box = NormalizedRect(TRect{x1, y1, x2, y2});
    dc.Record({"Rectangle", TRect{x1, y1, x2, y2}, dc.Brush.Color, dc.Pen.Style});
    const TRect d = dc.ToDevice(box);
    if (dc.Pen.Style == PS_NULL) {
        if (dc.Brush.Style != BS_NULL)
            FillDevice(dc, TRect{d.Left, d.Top, d.Right - 1, d.Bottom - 1}, PixelOf(dc.Brush.Color));
        return;
    }
    if (d.Width() <= 0 || d.Height() <= 0) return;
    if (dc.Brush.Style != BS_NULL)
        FillDevice(dc, TRect{d.Left + 1, d.Top + 1, d.Right - 1, d.Bottom - 1},
                   PixelOf(dc.Brush.Color));
    int dashPos = 0;
    const int l = d.Left, t = d.Top, r = d.Right - 1, b = d.Bottom - 1;
    StrokeDevice(dc, l, t, r, t, dc.Pen, dashPos);
    StrokeDevice(dc, r, t, r, b, dc.Pen, dashPos);
    StrokeDevice(dc, r, b, l, b, dc.Pen, dashPos);
    StrokeDevice(dc, l, b, l, t, dc.Pen, dashPos);
}

void Ellipse(TDeviceContext& dc, int x1, int y1, int x2, int y2) {
    dc.Record({"Ellipse", TRect{x1, y1, x2, y2}, dc.Brush.Color, dc.Pen.Style});
    TRect d = dc.ToDevice(NormalizedRect(TRect{x1, y1, x2, y2}));
    if (dc.Pen.Style == PS_NULL) {
        d.Right -= 1;
        d.Bottom -= 1;
    }
    if (d.Width() <= 0 || d.Height() <= 0) return;
    const double cx = (d.Left + d.Right) / 2.0, cy = (d.Top + d.Bottom) / 2.0;
    const double rx = d.Width() / 2.0, ry = d.Height() / 2.0;
    const TPixel fill = PixelOf(dc.Brush.Color), edge = PixelOf(dc.Pen.Color);
    const bool outline = dc.Pen.Style != PS_NULL;
    auto spanAt = [&](int y, int& x0, int& x1) {
        double t = (y + 0.5 - cy) / ry;
        double half = rx * std::sqrt(std::max(0.0, 1.0 - t * t));
        x0 = static_cast<int>(std::lround(cx - half));
        x1 = static_cast<int>(std::lround(cx + half));
    };
    for (int y = d.Top; y < d.Bottom; ++y) {
        int x0, x1;
        spanAt(y, x0, x1);
        if (x1 <= x0) continue;
        if (dc.Brush.Style != BS_NULL) {
            TRect span = IntersectRects(TRect{x0, y, x1, y + 1}, dc.DeviceClip());
            if (!span.IsEmpty()) PixelLoops::FillSpan(*dc.Surface(), y, span.Left, span.Right, fill);
        }
        if (outline) {
            int px0 = x0, px1 = x1, nx0 = x0, nx1 = x1;
            if (y > d.Top) spanAt(y - 1, px0, px1);
            if (y + 1 < d.Bottom) spanAt(y + 1, nx0, nx1);
            bool edgeRow = y == d.Top || y == d.Bottom - 1;
            int inner0 = edgeRow ? x1 : std::max({x0 + 1, px0, nx0});
            int inner1 = edgeRow ? x1 : std::min({x1 - 1, px1, nx1});
            for (int x = x0; x < x1; ++x)
                if (x < inner0 || x >= inner1) PlotDevice(dc, x, y, edge);
        }
    }
}

void MoveTo(TDeviceContext& dc, int x, int y) {
    dc.Record({"MoveTo", TRect{x, y, x, y}, dc.Pen.Color, dc.Pen.Style});
    dc.CurrentPosition = TPoint{x, y};
}

void LineTo(TDeviceContext& dc, int x, int y) {
    const TPoint from = dc.CurrentPosition;
    dc.Record({"LineTo", TRect{from.X, from.Y, x, y}, dc.Pen.Color, dc.Pen.Style});
    dc.CurrentPosition = TPoint{x, y};
    if (dc.Pen.Style == PS_NULL) return;
    const TPoint a = dc.ToDevice(from), b = dc.ToDevice(TPoint{x, y});
    int dashPos = 0;
    StrokeDevice(dc, a.X, a.Y, b.X, b.Y, dc.Pen, dashPos);
}

void SetPixel(TDeviceContext& dc, int x, int y, TColor color) {
    const TPoint p = dc.ToDevice(TPoint{x, y});
    PlotDevice(dc, p.X, p.Y, PixelOf(color));
}

void DrawBitmap(TDeviceContext& dc, int x, int y, const TBitmapImage& image) {
    dc.Record({"Draw", TRect{x, y, x + image.Width(), y + image.Height()}, 0, 0});
    const TRect dest = dc.ToDevice(TRect{x, y, x + image.Width(), y + image.Height()});
    const TRect visible = IntersectRects(dest, dc.DeviceClip());
    if (visible.IsEmpty()) return;
    const TRect src = Translated(visible, -dest.Left, -dest.Top);
    PixelLoops::Copy(*dc.Surface(), visible.Left, visible.Top, image.Pixels, src);
}

void StretchBitmap(TDeviceContext& dc, const TRect& dest, const TBitmapImage& image) {
    dc.Record({"StretchDraw", dest, 0, 0});
    if (image.Width() <= 0 || image.Height() <= 0) return;
    const TRect d = dc.ToDevice(dest);
    if (d.Width() == 0 || d.Height() == 0) return;
    const TRect visible = IntersectRects(NormalizedRect(d), dc.DeviceClip());
    const long long w = d.Width(), h = d.Height();
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        long long sy = (static_cast<long long>(y - d.Top) * image.Height()) / h;
        if (h < 0) sy = image.Height() - 1 - sy;
        TPixel* row = dc.Surface()->Row(y);
        const TPixel* srcRow = image.Pixels.Row(static_cast<int>(sy));
        for (int x = visible.Left; x < visible.Right; ++x) {
            long long sx = (static_cast<long long>(x - d.Left) * image.Width()) / w;
            row[x] = srcRow[sx];
        }
    }
}

void DrawFocusRect(TDeviceContext& dc, const TRect& r) {
    dc.Record({"DrawFocusRect", r, 0, 0});
    const TRect d = dc.ToDevice(NormalizedRect(r));
    if (d.IsEmpty()) return;
    auto invert = [&](int x, int y) {
        if (dc.DeviceClip().Contains(TPoint{x, y})) PixelLoops::Invert(*dc.Surface(), x, y);
    };
    for (int x = d.Left; x < d.Right; x += 2) {
        invert(x, d.Top);
        if (d.Bottom - 1 != d.Top) invert(x, d.Bottom - 1);
    }
    for (int y = d.Top + 2 - ((d.Top - d.Top) & 1); y < d.Bottom - 1; y += 2) {
        invert(d.Left, y);
        if (d.Right - 1 != d.Left) invert(d.Right - 1, y);
    }
}

}  // namespace Gdi
