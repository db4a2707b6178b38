// The pixels a window host paints into, and the device contexts that draw on them. With the
// framework's own engine a context draws on the surface itself; with the system's GDI each
// context is a memory context on a DIB section over one shared block of pixels, 32 bits a
// pixel, top row first, which the surface is read back from.
#pragma once

#include "core/Types.h"
#include "gdi/TCallLog.h"
#include "gdi/TRegion.h"
#include "gdi/TSurface.h"
#include "win/WinApi.h"

class TSurfaceDevice {
public:
    TSurfaceDevice() = default;
    ~TSurfaceDevice();
    TSurfaceDevice(const TSurfaceDevice&) = delete;
    TSurfaceDevice& operator=(const TSurfaceDevice&) = delete;

    // Makes the surface width x height, every pixel 0. Contexts made before draw where nothing
    // shows.
    void Resize(int width, int height);
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }
    // The pixels as drawn so far.
    const TSurface& Pixels() const;

    // A context whose logical (0, 0) lies at device point origin, allowed to touch only the
    // device pixels of visible (cut to the surface). The calls made on it go to log when there
    // is one (only the framework's engine keeps such a record); the device area they may
    // change is added to drawn, when given.
    HDC CreateContext(TPoint origin, const TRegion& visible, TCallLog* log, TRect* drawn);
    HDC CreateContext(TPoint origin, const TRect& visible, TCallLog* log, TRect* drawn) {
        return CreateContext(origin, TRegion(NormalizedRect(visible)), log, drawn);
    }
    // Gives a context made by CreateContext the device pixels it may touch anew, as windows
    // moved; the clip region a program selected stays within them.
    static void SetVisibleRegion(HDC dc, const TRegion& visible);
    // A context that draws on nothing.
    static HDC CreateNullContext();
    // Frees a context made by either.
    static void ReleaseContext(HDC dc);

private:
    int FWidth = 0;
    int FHeight = 0;
#ifdef _WIN32
    HANDLE FSection = nullptr;
    void* FBits = nullptr;  // the whole surface, mapped once for reading it back
    mutable TSurface FPixels;
#else
    TSurface FSurface;
#endif
};
