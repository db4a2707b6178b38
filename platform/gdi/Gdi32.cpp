// The Win32 drawing calls, served by the rasterizer: objects, contexts, shapes and blits.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "gdi/Gdi.h"
#include "gdi/TBitmapImage.h"
#include "gdi/TGdiObjects.h"
#include "win/WinApi.h"

namespace {

// A COLORREF as the engine keeps a colour: a system colour stays one, so that it is resolved
// when a pixel is written; a plain colour loses its top byte.
TColor ColorOf(COLORREF c) {
    const TColor color = ColorFromBits(c);
    return IsSystemColor(color) ? color : ColorFromBits(c & 0x00FFFFFF);
}

// A context that has something to draw on: a memory context draws on nothing until a bitmap
// is selected into it, and calls on it then do nothing.
bool Drawable(HDC dc) {
    return dc && dc->Surface();
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
    return new TGdiPenObject(TGdiPen{style, width < 1 ? 1 : width, ColorOf(color)});
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return new TGdiBrushObject(TGdiBrush{BS_SOLID, ColorOf(color), nullptr});
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!brush) return nullptr;
    if (brush->lbStyle == BS_NULL) return new TGdiBrushObject(TGdiBrush{BS_NULL, 0, nullptr});
    if (brush->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    return CreateSolidBrush(brush->lbColor);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
    if (!bitmap || bitmap->Pixels.IsEmpty()) return nullptr;
    return new TGdiBrushObject(
        TGdiBrush{BS_PATTERN, 0, std::make_shared<const TSurface>(bitmap->Pixels)});
}

HPEN SelectObject(HDC dc, HPEN pen) {
    if (!dc || !pen) return nullptr;
    HPEN previous = dc->SelectedPen;
    dc->SelectedPen = pen;
    dc->Pen = pen->Pen;
    return previous;
}

HBRUSH SelectObject(HDC dc, HBRUSH brush) {
    if (!dc || !brush) return nullptr;
    HBRUSH previous = dc->SelectedBrush;
    dc->SelectedBrush = brush;
    dc->Brush = brush->Brush;
    return previous;
}

HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
    // Only a memory context (one made by CreateCompatibleDC) takes a bitmap.
    if (!dc || !bitmap || dc->Log || dc->Drawn) return nullptr;
    HBITMAP previous = dc->SelectedBitmap;
    dc->SelectedBitmap = bitmap;
    dc->SetSurface(&bitmap->Pixels);
    return previous;
}

BOOL DeleteObject(HPEN pen) {
    if (!pen) return FALSE;
    if (!pen->Stock) delete pen;
    return TRUE;
}

BOOL DeleteObject(HBRUSH brush) {
    if (!brush) return FALSE;
    if (!brush->Stock) delete brush;
    return TRUE;
}

BOOL DeleteObject(HBITMAP bitmap) {
    if (!bitmap) return FALSE;
    delete bitmap;
    return TRUE;
}

HDC CreateCompatibleDC(HDC) {
    return new TDeviceContext(nullptr);
}

BOOL DeleteDC(HDC dc) {
    if (!dc) return FALSE;
    delete dc;
    return TRUE;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (!dc) return CLR_INVALID;
    const TColor previous = dc->TextColor;
    dc->TextColor = ColorOf(color);
    return ColorBits(previous);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    if (!dc) return CLR_INVALID;
    const TColor previous = dc->BkColor;
    dc->BkColor = ColorOf(color);
    return ColorBits(previous);
}

int SetBkMode(HDC dc, int mode) {
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT)) return 0;
    const int previous = dc->BkMode;
    dc->BkMode = mode;
    return previous;
}

int SetStretchBltMode(HDC dc, int mode) {
    if (!dc) return 0;
    const int previous = dc->StretchMode;
    dc->StretchMode = mode;
    return previous;
}

namespace {

// A clipping rectangle in device coordinates; coordinates beyond what a rectangle holds stop
// at its limits.
TRect ClipDeviceRect(const TDeviceContext& dc, int left, int top, int right, int bottom) {
    auto device = [](int v, int origin) {
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{v} + origin, INT32_MIN, INT32_MAX));
    };
    const TPoint o = dc.Origin();
    return TRect{device(left, o.X), device(top, o.Y), device(right, o.X), device(bottom, o.Y)};
}

int RegionKind(const TRegion& region) {
    if (region.IsEmpty()) return NULLREGION;
    return region.IsSimple() ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

int GetClipBox(HDC dc, LPRECT rect) {
    if (!dc || !rect) return RGN_ERROR;
    *rect = dc->ClipBox();
    return RegionKind(dc->Clip());
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) return RGN_ERROR;
    dc->IntersectClipRect(ClipDeviceRect(*dc, left, top, right, bottom));
    return RegionKind(dc->Clip());
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!dc) return RGN_ERROR;
    dc->ExcludeClipRect(ClipDeviceRect(*dc, left, top, right, bottom));
    return RegionKind(dc->Clip());
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new TRegion(NormalizedRect(TRect{left, top, right, bottom}));
}

BOOL DeleteObject(HRGN region) {
    if (!region) return FALSE;
    delete region;
    return TRUE;
}

int GetClipRgn(HDC dc, HRGN region) {
    if (!dc || !region) return -1;
    if (!dc->ClipRegion()) return 0;
    *region = *dc->ClipRegion();
    return 1;
}

int SelectClipRgn(HDC dc, HRGN region) {
    if (!dc) return RGN_ERROR;
    dc->SelectClipRegion(region ? std::optional<TRegion>(*region) : std::nullopt);
    return RegionKind(dc->Clip());
}

int SaveDC(HDC dc) {
    return dc ? dc->SaveState() : 0;
}

BOOL RestoreDC(HDC dc, int savedDC) {
    return dc && dc->RestoreState(savedDC) ? TRUE : FALSE;
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    if (!dc) return FALSE;
    if (previous) *previous = dc->CurrentPosition;
    Gdi::MoveTo(*dc, x, y);
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (!dc) return FALSE;
    if (!dc->Surface()) {
        dc->CurrentPosition = TPoint{x, y};
        return TRUE;
    }
    Gdi::LineTo(*dc, x, y);
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    if (!Drawable(dc) || !points || count < 2) return FALSE;
    Gdi::Polyline(*dc, std::vector<TPoint>(points, points + count));
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (!Drawable(dc)) return FALSE;
    Gdi::Rectangle(*dc, left, top, right, bottom);
    return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    if (!Drawable(dc)) return FALSE;
    Gdi::Ellipse(*dc, left, top, right, bottom);
    return TRUE;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!Drawable(dc) || !rect || !brush) return 0;
    Gdi::FillRect(*dc, *rect, brush->Brush);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!Drawable(dc) || !rect || !brush) return 0;
    Gdi::FrameRect(*dc, *rect, brush->Brush);
    return 1;
}

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
    if (!dc || !rect || (flags & BF_DIAGONAL)) return FALSE;
    return Gdi::DrawEdge(*dc, *rect, edge, flags) ? TRUE : FALSE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!Drawable(dc) || !rect) return FALSE;
    Gdi::DrawFocusRect(*dc, *rect);
    return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!Drawable(dc)) return CLR_INVALID;
    Gdi::SetPixel(*dc, x, y, ColorOf(color));
    return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!Drawable(dc)) return CLR_INVALID;
    const TPoint p = dc->ToDevice(TPoint{x, y});
    if (!dc->Clip().Contains(p)) return CLR_INVALID;
    return ColorRefFromPixel(dc->Surface()->At(p.X, p.Y)) & 0x00FFFFFF;
}

// Blits copy from the source context's surface, in its logical coordinates.
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD) {
    if (!Drawable(dc) || !Drawable(source)) return FALSE;
    const TPoint from = source->ToDevice(TPoint{sourceX, sourceY});
    TRect rect{from.X, from.Y, from.X + width, from.Y + height};
    TSurface scratch;
    const TSurface& pixels =
        Gdi::BlitPixels(source->SelectedBitmap, *source->Surface(), rect, scratch);
    Gdi::DrawBitmap(*dc, x, y, pixels, rect);
    return TRUE;
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD) {
    if (!Drawable(dc) || !Drawable(source)) return FALSE;
    const TPoint from = source->ToDevice(TPoint{sourceX, sourceY});
    TRect rect{from.X, from.Y, from.X + sourceWidth, from.Y + sourceHeight};
    // A source that reaches outside the bitmap draws nothing: it is not widened either.
    const bool inside =
        !rect.IsEmpty() && IntersectRects(rect, source->Surface()->Bounds()) == rect;
    TSurface scratch;
    const TSurface& pixels = Gdi::BlitPixels(inside ? source->SelectedBitmap : nullptr,
                                             *source->Surface(), rect, scratch);
    Gdi::StretchBitmap(*dc, TRect{x, y, x + width, y + height}, pixels, rect);
    return TRUE;
}
