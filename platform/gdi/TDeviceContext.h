// A device context: where drawing goes (a surface), how logical coordinates map to it (an
// origin), what it may touch (the visible region of its window, less what its clipping region
// leaves out), the objects selected into it, and the states SaveDC put aside.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/Types.h"
#include "gdi/TCallLog.h"
#include "gdi/TRegion.h"
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
    // only the device pixels of visible (cut to the surface): the part of its window that shows.
    TDeviceContext(TSurface* surface, TPoint origin, const TRegion& visible);
    TDeviceContext(TSurface* surface, TPoint origin, TRect visible);
    explicit TDeviceContext(TSurface* surface);

    TSurface* Surface() const { return FSurface; }
    TPoint Origin() const { return FOrigin; }
    // What drawing may touch, in device coordinates: the visible region and the clipping
    // region both. The pixel loops run once for each of its rectangles that a drawing meets.
    const TRegion& Clip() const { return FClip; }
    // The rectangle around it, in device and in logical coordinates.
    const TRect& DeviceClip() const { return FClip.Bounds(); }
    TRect ClipBox() const { return Translated(DeviceClip(), -FOrigin.X, -FOrigin.Y); }

    // The part of the window that shows, as whoever made the context knows it (a window host
    // sets it again when windows move over the context's one).
    void SetVisibleRegion(const TRegion& visible);
    // The clipping region of the Win32 calls, in device coordinates; none clips nothing.
    const std::optional<TRegion>& ClipRegion() const { return FClipRegion; }
    void SelectClipRegion(const std::optional<TRegion>& region);
    void IntersectClipRect(const TRect& device);
    void ExcludeClipRect(const TRect& device);

    // SaveDC and RestoreDC: the selected objects, colours, modes, current position and
    // clipping region. Save returns the new number of saved states; Restore takes a state's
    // number, or one counted back from the last (-1), and drops it and the later ones.
    int SaveState();
    bool RestoreState(int level);

    TPoint ToDevice(TPoint p) const { return TPoint{p.X + FOrigin.X, p.Y + FOrigin.Y}; }
    TRect ToDevice(const TRect& r) const { return Translated(r, FOrigin.X, FOrigin.Y); }

    // Makes the context draw on another surface (a bitmap selected into a memory context);
    // the whole surface becomes visible.
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
    // Where the context notes the device area its calls may have changed (the rectangle
    // around its clip, once per call), so that a window host can present what was drawn
    // outside its paint pass; none by default.
    TRect* Drawn = nullptr;
    void Record(TGdiCall call) const {
        NoteDrawn();
        if (Log) Log->Add(std::move(call));
    }
    void NoteDrawn() const {
        if (Drawn) *Drawn = UnionRects(*Drawn, DeviceClip());
    }

private:
    struct TSavedState {
        TGdiPen Pen;
        TGdiBrush Brush;
        std::shared_ptr<const TFontInstance> Font;
        TColor TextColor;
        TColor BkColor;
        int BkMode;
        TPoint CurrentPosition;
        HPEN SelectedPen;
        HBRUSH SelectedBrush;
        HFONT SelectedFont;
        HBITMAP SelectedBitmap;
        int StretchMode;
        std::optional<TRegion> ClipRegion;
    };
    void UpdateClip();

    TSurface* FSurface;
    TPoint FOrigin;
    TRegion FVisible;
    std::optional<TRegion> FClipRegion;
    TRegion FClip;
    std::vector<TSavedState> FSaved;
};
