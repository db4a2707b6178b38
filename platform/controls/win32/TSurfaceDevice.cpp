// The surface and its contexts with the system's GDI. A bitmap can be selected into one
// context at a time, and a host has many contexts alive at once (a paint pass nests them,
// canvases keep theirs), so each context gets a DIB section of its own over the one block of
// shared memory that holds the pixels.
#include "controls/TSurfaceDevice.h"

#include <cstring>

namespace {

// Whether the bitmap is a DIB section that a surface context made.
bool IsSection(HBITMAP bitmap) {
    DIBSECTION section{};
    return bitmap && GetObjectA(bitmap, sizeof section, &section) == sizeof section;
}

}  // namespace

TSurfaceDevice::~TSurfaceDevice() {
    Resize(0, 0);
}

void TSurfaceDevice::Resize(int width, int height) {
    // Contexts made before keep their own views of the old block until they are released.
    if (FBits) UnmapViewOfFile(FBits);
    if (FSection) CloseHandle(FSection);
    FBits = nullptr;
    FSection = nullptr;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FPixels.Resize(FWidth, FHeight);
    if (FWidth == 0 || FHeight == 0) return;
    const DWORD bytes = static_cast<DWORD>(FWidth) * static_cast<DWORD>(FHeight) * 4;
    FSection = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, bytes, nullptr);
    if (FSection) FBits = MapViewOfFile(FSection, FILE_MAP_ALL_ACCESS, 0, 0, bytes);
}

const TSurface& TSurfaceDevice::Pixels() const {
    if (FBits) {
        GdiFlush();
        std::memcpy(FPixels.Pixels().data(), FBits, FPixels.Pixels().size() * sizeof(TPixel));
    }
    return FPixels;
}

HDC TSurfaceDevice::CreateContext(TPoint origin, const TRegion& visible, TCallLog*, TRect* drawn) {
    if (!FSection) return CreateNullContext();
    const BITMAPINFO info = TopDownDib32(FWidth, FHeight);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, FSection, 0);
    if (!bitmap) return CreateNullContext();
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    SetViewportOrgEx(dc, origin.X, origin.Y, nullptr);
    TRegion inSurface = visible;
    inSurface.Intersect(Bounds());
    SetVisibleRegion(dc, inSurface);
    // The system reports nothing of what a call changed: the whole clip may have.
    if (drawn) *drawn = UnionRects(*drawn, inSurface.Bounds());
    return dc;
}

void TSurfaceDevice::SetVisibleRegion(HDC dc, const TRegion& visible) {
    // The context's clip region, in device coordinates, as the framework's engine keeps it:
    // a program that selects a clip region of its own puts back the one it found.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const TRect& r : visible.Rects()) {
        HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
        CombineRgn(region, region, part, RGN_OR);
        DeleteObject(part);
    }
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

HDC TSurfaceDevice::CreateNullContext() {
    HDC dc = CreateCompatibleDC(nullptr);
    HRGN nothing = CreateRectRgn(0, 0, 0, 0);
    SelectClipRgn(dc, nothing);
    DeleteObject(nothing);
    return dc;
}

void TSurfaceDevice::ReleaseContext(HDC dc) {
    if (!dc) return;
    auto bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    DeleteDC(dc);
    if (IsSection(bitmap)) DeleteObject(bitmap);
}
