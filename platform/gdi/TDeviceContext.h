// A device context: where drawing goes (a surface), how logical coordinates map to it (an
// origin), what it may touch (a clipping rectangle), and the objects selected into it.
#pragma once

#include <memory>

#include "core/Types.h"
#include "gdi/TCallLog.h"
#include "gdi/TSurface.h"
#include "win/WinApi.h"

class TFontInstance;

// The background mode in which styled pens paint their gaps.
constexpr int kBkModeOpaque = OPAQUE;

// What a pen draws with: a style (PS_...), a width in pixels and a colour.
struct TGdiPen {
    int Style = PS_SOLID;
    int Width = 1;
    TColor Color = 0;
};

// What a brush fills with: nothing, a colour, or a pattern repeated from the context's origin.
struct TGdiBrush {
    int Style = BS_SOLID;
    TColor Color = 0x00FFFFFF;
    std::shared_ptr<const TSurface> Pattern;
};

class TDeviceContext {
public:
    // A context on a surface whose logical (0, 0) lies at device point origin, allowed to touch
    // only the device pixels inside clip (which is cut to the surface).
    TDeviceContext(TSurface* surface, TPoint origin, TRect clip);
    explicit TDeviceContext(TSurface* surface);

    TSurface* Surface() const { return FSurface; }
    TPoint Origin() const { return FOrigin; }
    // The clipping rectangle in device coordinates.
    const TRect& DeviceClip() const { return FClip; }
    // The clipping rectangle in logical coordinates.
    TRect ClipBox() const { return Translated(FClip, -FOrigin.X, -FOrigin.Y); }
    void SetClip(const TRect& deviceClip);

    TPoint ToDevice(TPoint p) const { return TPoint{p.X + FOrigin.X, p.Y + FOrigin.Y}; }
    TRect ToDevice(const TRect& r) const { return Translated(r, FOrigin.X, FOrigin.Y); }

    // Makes the context draw on another surface (a bitmap selected into a memory context);
    // the clip becomes the whole surface.
    void SetSurface(TSurface* surface);

    TGdiPen Pen;
    TGdiBrush Brush;
    std::shared_ptr<const TFontInstance> Font;
    TColor TextColor = 0;
    TColor BkColor = 0x00FFFFFF;
    int BkMode = kBkModeOpaque;
    TPoint CurrentPosition{};

    // The objects selected through the Win32 calls, which SelectObject hands back: at first
    // the stock pen and brush, the default font (null) and, in a memory context, no bitmap.
    HPEN SelectedPen;
    HBRUSH SelectedBrush;
    HFONT SelectedFont = nullptr;
    HBITMAP SelectedBitmap = nullptr;
    int StretchMode = COLORONCOLOR;

    // Where calls are recorded; none by default.
    TCallLog* Log = nullptr;
    // Where the context notes the device area its calls may have changed (its clipping
    // rectangle, once per call), so that a window host can present what was drawn outside
    // its paint pass; none by default.
    TRect* Drawn = nullptr;
    void Record(TGdiCall call) const {
        NoteDrawn();
        if (Log) Log->Add(std::move(call));
    }
    void NoteDrawn() const {
        if (Drawn) *Drawn = UnionRects(*Drawn, FClip);
    }

private:
    TSurface* FSurface;
    TPoint FOrigin;
    TRect FClip;
};
