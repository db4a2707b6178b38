#include "gdi/TDeviceContext.h"

#include "gdi/TBitmapImage.h"
#include "gdi/TGdiObjects.h"

TDeviceContext::TDeviceContext(TSurface* surface, TPoint origin, const TRegion& visible)
    : SelectedPen(TGdiPenObject::Default()),
      SelectedBrush(TGdiBrushObject::Default()),
      FSurface(surface),
      FOrigin(origin) {
    SetVisibleRegion(visible);
}

TDeviceContext::TDeviceContext(TSurface* surface, TPoint origin, TRect visible)
    : TDeviceContext(surface, origin, TRegion(NormalizedRect(visible))) {}

TDeviceContext::TDeviceContext(TSurface* surface)
    : TDeviceContext(surface, TPoint{}, surface ? surface->Bounds() : TRect{}) {}

void TDeviceContext::SetVisibleRegion(const TRegion& visible) {
    FVisible = visible;
    FVisible.Intersect(FSurface ? FSurface->Bounds() : TRect{});
    UpdateClip();
}

void TDeviceContext::UpdateClip() {
    FClip = FVisible;
    if (FClipRegion) FClip.Intersect(*FClipRegion);
}

void TDeviceContext::SelectClipRegion(const std::optional<TRegion>& region) {
    FClipRegion = region;
    UpdateClip();
}

void TDeviceContext::IntersectClipRect(const TRect& device) {
    if (FClipRegion)
        FClipRegion->Intersect(NormalizedRect(device));
    else
        FClipRegion = TRegion(NormalizedRect(device));
    UpdateClip();
}

// Without a clipping region the whole surface is the region to cut the rectangle out of.
void TDeviceContext::ExcludeClipRect(const TRect& device) {
    if (!FClipRegion) FClipRegion = TRegion(FSurface ? FSurface->Bounds() : TRect{});
    FClipRegion->Subtract(NormalizedRect(device));
    UpdateClip();
}

int TDeviceContext::SaveState() {
    FSaved.push_back(TSavedState{Pen, Brush, Font, TextColor, BkColor, BkMode, CurrentPosition,
                                 SelectedPen, SelectedBrush, SelectedFont, SelectedBitmap,
                                 StretchMode, FClipRegion});
    return static_cast<int>(FSaved.size());
}

bool TDeviceContext::RestoreState(int level) {
    const int count = static_cast<int>(FSaved.size());
    if (level < 0) level += count + 1;
    if (level < 1 || level > count) return false;
    TSavedState s = std::move(FSaved[static_cast<std::size_t>(level - 1)]);
    FSaved.resize(static_cast<std::size_t>(level - 1));
    if (s.SelectedBitmap != SelectedBitmap)
        SetSurface(s.SelectedBitmap ? &s.SelectedBitmap->Pixels : nullptr);
    Pen = s.Pen;
    Brush = s.Brush;
    Font = std::move(s.Font);
    TextColor = s.TextColor;
    BkColor = s.BkColor;
    BkMode = s.BkMode;
    CurrentPosition = s.CurrentPosition;
    SelectedPen = s.SelectedPen;
    SelectedBrush = s.SelectedBrush;
    SelectedFont = s.SelectedFont;
    SelectedBitmap = s.SelectedBitmap;
    StretchMode = s.StretchMode;
    FClipRegion = std::move(s.ClipRegion);
    UpdateClip();
    return true;
}

void TDeviceContext::SetSurface(TSurface* surface) {
    FSurface = surface;
    FOrigin = TPoint{};
    SetVisibleRegion(TRegion(surface ? surface->Bounds() : TRect{}));
}
