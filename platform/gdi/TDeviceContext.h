// A device context: where drawing goes (a surface), how logical coordinates map to it (an
// origin), what it may touch (a clipping rectangle), and the objects selected into it.
#pragma once

#include <memory>

#include "core/Types.h"
#include "gdi/TCallLog.h"
#include "gdi/TSurface.h"

class TFontInstance;

// Pen and brush styles, with their Win32 values.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
// The background mode in which styled pens paint their gaps (Win32 OPAQUE).
constexpr int kBkModeOpaque = 2;

struct TGdiPen {
    int Style = PS_SOLID;
    int Width = 1;
    TColor Color = 0;
};

struct TGdiBrush {
    int Style = BS_SOLID;
    TColor Color = 0x00FFFFFF;
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

    TGdiPen Pen;
    TGdiBrush Brush;
    std::shared_ptr<const TFontInstance> Font;
    TColor TextColor = 0;
    TColor BkColor = 0x00FFFFFF;
    int BkMode = kBkModeOpaque;
    TPoint CurrentPosition{};

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
