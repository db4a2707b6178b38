#include "gdi/TDeviceContext.h"

TDeviceContext::TDeviceContext(TSurface* surface, TPoint origin, TRect clip)
    : FSurface(surface), FOrigin(origin), FClip{} {
    SetClip(clip);
}

TDeviceContext::TDeviceContext(TSurface* surface)
    : TDeviceContext(surface, TPoint{}, surface ? surface->Bounds() : TRect{}) {}

void TDeviceContext::SetClip(const TRect& deviceClip) {
    FClip = FSurface ? IntersectRects(NormalizedRect(deviceClip), FSurface->Bounds()) : TRect{};
}
