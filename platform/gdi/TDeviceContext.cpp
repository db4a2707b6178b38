#include "gdi/TDeviceContext.h"

#include "gdi/TGdiObjects.h"

TDeviceContext::TDeviceContext(TSurface* surface, TPoint origin, TRect clip)
    : SelectedPen(TGdiPenObject::Default()),
      SelectedBrush(TGdiBrushObject::Default()),
      FSurface(surface),
      FOrigin(origin),
      FClip{} {
    SetClip(clip);
}

TDeviceContext::TDeviceContext(TSurface* surface)
    : TDeviceContext(surface, TPoint{}, surface ? surface->Bounds() : TRect{}) {}

void TDeviceContext::SetClip(const TRect& deviceClip) {
    FClip = FSurface ? IntersectRects(NormalizedRect(deviceClip), FSurface->Bounds()) : TRect{};
}

void TDeviceContext::SetSurface(TSurface* surface) {
    FSurface = surface;
    FOrigin = TPoint{};
    FClip = surface ? surface->Bounds() : TRect{};
}
