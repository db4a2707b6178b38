// The surface and its contexts with the framework's own engine: contexts draw on the surface.
#include "controls/TSurfaceDevice.h"

#include "gdi/TDeviceContext.h"

TSurfaceDevice::~TSurfaceDevice() = default;

void TSurfaceDevice::Resize(int width, int height) {
    FSurface.Resize(width, height);
    FWidth = FSurface.Width();
    FHeight = FSurface.Height();
}

const TSurface& TSurfaceDevice::Pixels() const {
    return FSurface;
}

HDC TSurfaceDevice::CreateContext(TPoint origin, const TRegion& visible, TCallLog* log,
                                  TRect* drawn) {
    auto* dc = new TDeviceContext(&FSurface, origin, visible);
    dc->Log = log;
    dc->Drawn = drawn;
    return dc;
}

void TSurfaceDevice::SetVisibleRegion(HDC dc, const TRegion& visible) {
    dc->SetVisibleRegion(visible);
}

HDC TSurfaceDevice::CreateNullContext() {
    static TSurface& empty = *new TSurface;
    return new TDeviceContext(&empty, TPoint{}, TRect{});
}

void TSurfaceDevice::ReleaseContext(HDC dc) {
    delete dc;
}
