// The Win32 surface on Windows: the system's own declarations, and a few adapters where the
// framework's types differ. TRect and TPoint keep their names and members; they have the
// layout of RECT and POINT, and the calls that take one get an overload that passes a copy.
// Included through win/WinApi.h only.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The system names the ANSI and wide forms of a call through macros; the framework's methods
// of the same names (TCanvas::TextOut, TCanvas::Rectangle...) keep their own.
#undef TextOut
#undef DrawText
#undef LoadBitmap
#undef GetObject
#undef CreateFont
#undef GetMessage
#undef PostMessage
#undef SendMessage
#undef DispatchMessage
#undef GetClassName
#undef GetClassInfo
#undef LoadLibrary
#undef GetModuleFileName
#undef FindResource
#undef CreateWindow
#undef GetCurrentTime
#undef Yield

#include <cstddef>
#include <cstdint>

#include "core/SysColors.h"
#include "core/Types.h"

static_assert(sizeof(TRect) == sizeof(RECT) && sizeof(TPoint) == sizeof(POINT));

constexpr RECT ToRECT(const TRect& r) {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}
constexpr TRect FromRECT(const RECT& r) {
    return TRect{static_cast<std::int32_t>(r.left), static_cast<std::int32_t>(r.top),
                 static_cast<std::int32_t>(r.right), static_cast<std::int32_t>(r.bottom)};
}

// The COLORREF a framework colour stands for in a GDI call: a system colour is the system's
// own, as the user's scheme has it.
inline COLORREF GdiColor(TColor color) {
    return static_cast<COLORREF>(ColorToRGB(color));
}

// The header of a DIB of 32 bits a pixel, top row first: the layout of the framework's surfaces.
inline BITMAPINFO TopDownDib32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Objects are selected and handed back by kind.
inline HPEN SelectObject(HDC dc, HPEN pen) {
    return static_cast<HPEN>(::SelectObject(dc, static_cast<HGDIOBJ>(pen)));
}
inline HBRUSH SelectObject(HDC dc, HBRUSH brush) {
    return static_cast<HBRUSH>(::SelectObject(dc, static_cast<HGDIOBJ>(brush)));
}
inline HFONT SelectObject(HDC dc, HFONT font) {
    return static_cast<HFONT>(::SelectObject(dc, static_cast<HGDIOBJ>(font)));
}
inline HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
    return static_cast<HBITMAP>(::SelectObject(dc, static_cast<HGDIOBJ>(bitmap)));
}

// The calls that take rectangles and points, on the framework's own.
inline int DrawTextA(HDC dc, LPCSTR text, int count, TRect* rect, UINT format) {
    RECT r = rect ? ToRECT(*rect) : RECT{};
    const int height = ::DrawTextA(dc, text, count, rect ? &r : nullptr, format);
    if (rect) *rect = FromRECT(r);
    return height;
}
inline int FillRect(HDC dc, const TRect* rect, HBRUSH brush) {
    if (!rect) return 0;
    const RECT r = ToRECT(*rect);
    return ::FillRect(dc, &r, brush);
}
inline int FrameRect(HDC dc, const TRect* rect, HBRUSH brush) {
    if (!rect) return 0;
    const RECT r = ToRECT(*rect);
    return ::FrameRect(dc, &r, brush);
}
inline BOOL DrawFocusRect(HDC dc, const TRect* rect) {
    if (!rect) return FALSE;
    const RECT r = ToRECT(*rect);
    return ::DrawFocusRect(dc, &r);
}
inline BOOL OffsetRect(TRect* rect, int dx, int dy) {
    if (!rect) return FALSE;
    RECT r = ToRECT(*rect);
    const BOOL done = ::OffsetRect(&r, dx, dy);
    *rect = FromRECT(r);
    return done;
}
inline BOOL SetRect(TRect* rect, int left, int top, int right, int bottom) {
    if (!rect) return FALSE;
    *rect = TRect{left, top, right, bottom};
    return TRUE;
}
inline BOOL DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags) {
    if (!rect) return FALSE;
    RECT r = ToRECT(*rect);
    const BOOL done = ::DrawEdge(dc, &r, edge, flags);
    *rect = FromRECT(r);
    return done;
}
inline int GetClipBox(HDC dc, TRect* rect) {
    RECT r{};
    const int kind = ::GetClipBox(dc, &r);
    if (rect) *rect = FromRECT(r);
    return kind;
}
inline BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, std::nullptr_t, LPCSTR text, UINT count,
                        const INT* dx) {
    return ::ExtTextOutA(dc, x, y, options, static_cast<const RECT*>(nullptr), text, count, dx);
}
inline BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* rect, LPCSTR text,
                        UINT count, const INT* dx) {
    const RECT r = rect ? ToRECT(*rect) : RECT{};
    return ::ExtTextOutA(dc, x, y, options, rect ? &r : nullptr, text, count, dx);
}
inline BOOL MoveToEx(HDC dc, int x, int y, std::nullptr_t) {
    return ::MoveToEx(dc, x, y, static_cast<LPPOINT>(nullptr));
}
inline BOOL MoveToEx(HDC dc, int x, int y, TPoint* previous) {
    POINT p{};
    const BOOL done = ::MoveToEx(dc, x, y, &p);
    if (previous)
        *previous = TPoint{static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)};
    return done;
}
inline BOOL Polyline(HDC dc, const TPoint* points, int count) {
    // POINT and TPoint share their layout: two 32-bit coordinates, x first.
    return ::Polyline(dc, reinterpret_cast<const POINT*>(points), count);
}
