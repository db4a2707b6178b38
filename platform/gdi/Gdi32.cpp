// The Win32 drawing calls, served by the rasterizer.
#include "gdi/Gdi.h"
#include "gdi/TBitmapImage.h"
#include "win/WinApi.h"

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!dc || !rect) return FALSE;
    Gdi::DrawFocusRect(*dc, *rect);
    return TRUE;
}

BOOL DeleteObject(HBITMAP bitmap) {
    delete bitmap;
    return TRUE;
}

int GetClipBox(HDC dc, LPRECT rect) {
    if (!dc || !rect) return 0;
    *rect = dc->ClipBox();
    return rect->IsEmpty() ? NULLREGION : SIMPLEREGION;
}
