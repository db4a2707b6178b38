// The Windows calls and types that the framework and the controls use, under their Win32 names
// and signatures. This is the seam between the framework and what draws: a canvas asks a
// device context for pens, brushes, fonts, shapes, blits and text through these calls and
// nothing else. Here they are served by the framework's own rasterizer (gdi/), text engine
// (text/) and module list (modules/); a build for Windows takes the same calls from the
// system (win/WinApiSystem.h).
#pragma once

#ifdef _WIN32
#include "win/WinApiSystem.h"
#else

#include <cstdint>

#include "core/Types.h"

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using COLORREF = DWORD;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using INT = int;
using ULONG_PTR = std::uintptr_t;

using RECT = TRect;
using LPRECT = TRect*;
using LPCRECT = const TRect*;
using POINT = TPoint;
using LPPOINT = TPoint*;

struct SIZE {
    LONG cx;
    LONG cy;
};
using LPSIZE = SIZE*;

// Handles: each points at the engine's own object.
class TDeviceContext;
class TGdiPenObject;
class TGdiBrushObject;
class TGdiFontObject;
class TBitmapImage;
class TRegion;
struct TModuleRecordImpl;
using HDC = TDeviceContext*;
using HPEN = TGdiPenObject*;
using HBRUSH = TGdiBrushObject*;
using HFONT = TGdiFontObject*;
using HBITMAP = TBitmapImage*;
using HRGN = TRegion*;
using HINSTANCE = TModuleRecordImpl*;
using HMODULE = HINSTANCE;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Colour macros: red in bits 0-7, green 8-15, blue 16-23.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) |
           (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}

// DrawTextA format flags.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_TABSTOP = 0x80;  // tab stops every (format >> 8) & 0xFF characters
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Brush styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;
constexpr int BS_PATTERN = 3;

struct LOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
};

// Logical fonts.
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE NONANTIALIASED_QUALITY = 3;
constexpr BYTE ANTIALIASED_QUALITY = 4;

struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};

// Raster operations and stretching modes of the blits.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr int COLORONCOLOR = 3;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x2;   // fill the whole rectangle with the background colour
constexpr UINT ETO_CLIPPED = 0x4;  // keep the text inside the rectangle

// Region kinds, as the clipping calls return them.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// The COLORREF a framework colour stands for in a GDI call. The engine here resolves a system
// colour (0x80000000 + n) itself when it writes a pixel, so it passes unchanged and the calls a
// paint records keep the colour the control named; the system's GDI needs it resolved first.
constexpr COLORREF GdiColor(TColor color) {
    return static_cast<COLORREF>(color);
}

struct TEXTMETRICA {
    LONG tmHeight;
    LONG tmAscent;
    LONG tmDescent;
    LONG tmInternalLeading;
    LONG tmExternalLeading;
    LONG tmAveCharWidth;
    LONG tmMaxCharWidth;
    LONG tmWeight;
    LONG tmOverhang;
    LONG tmDigitizedAspectX;
    LONG tmDigitizedAspectY;
    BYTE tmFirstChar;
    BYTE tmLastChar;
    BYTE tmDefaultChar;
    BYTE tmBreakChar;
    BYTE tmItalic;
    BYTE tmUnderlined;
    BYTE tmStruckOut;
    BYTE tmPitchAndFamily;
    BYTE tmCharSet;
};
using LPTEXTMETRICA = TEXTMETRICA*;

// System colour indices (GetSysColor).
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;

// DrawEdge: the outer and inner lines, raised or sunken, and which sides.
constexpr UINT BDR_RAISEDOUTER = 0x1;
constexpr UINT BDR_SUNKENOUTER = 0x2;
constexpr UINT BDR_RAISEDINNER = 0x4;
constexpr UINT BDR_SUNKENINNER = 0x8;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr UINT EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1;
constexpr UINT BF_TOP = 0x2;
constexpr UINT BF_RIGHT = 0x4;
constexpr UINT BF_BOTTOM = 0x8;
constexpr UINT BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_DIAGONAL = 0x10;
constexpr UINT BF_MIDDLE = 0x800;
constexpr UINT BF_SOFT = 0x1000;
constexpr UINT BF_ADJUST = 0x2000;
constexpr UINT BF_FLAT = 0x4000;
constexpr UINT BF_MONO = 0x8000;

// user32
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
// The 3-D edge of a rectangle: each side asked for gets an outer line along the rectangle's
// edge and an inner line just inside it, one-pixel lines drawn as LineTo draws them, so that
// a rectangle too small for both lines gets the inner ones over, or beyond, the outer ones.
// BF_MIDDLE fills what is inside with the face colour, BF_ADJUST shrinks the rectangle by the
// lines drawn. Diagonal edges (BF_DIAGONAL) are not drawn; the call returns FALSE for them.
BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags);
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
DWORD GetSysColor(int index);

// gdi32: objects. SelectObject returns the object of that kind the context had before;
// DeleteObject frees an object (a default object of a context is never freed).
HPEN CreatePen(int style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
// A brush that repeats the bitmap, aligned with the context's origin; the brush keeps its own
// copy of the pixels.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HFONT CreateFontIndirectA(const LOGFONTA* font);
HPEN SelectObject(HDC dc, HPEN pen);
HBRUSH SelectObject(HDC dc, HBRUSH brush);
HFONT SelectObject(HDC dc, HFONT font);
// Selecting a bitmap into a memory context makes it what the context draws on.
HBITMAP SelectObject(HDC dc, HBITMAP bitmap);
BOOL DeleteObject(HPEN pen);
BOOL DeleteObject(HBRUSH brush);
BOOL DeleteObject(HFONT font);
BOOL DeleteObject(HBITMAP bitmap);
BOOL DeleteObject(HRGN region);

// gdi32: contexts.
// A memory context, drawing on nothing until a bitmap is selected into it.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
int SetStretchBltMode(HDC dc, int mode);
// Clipping. What a context may draw on is its window's visible part less what the clipping
// region leaves out; the clipping region is none at first. GetClipBox gives the rectangle
// around what may be drawn on, in logical coordinates; the others change the clipping region
// (a rectangle in logical coordinates, corners in either order) and return the kind of what
// may be drawn on afterwards.
int GetClipBox(HDC dc, LPRECT rect);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// A region of one rectangle (device coordinates, corners in either order).
HRGN CreateRectRgn(int left, int top, int right, int bottom);
// Copies the clipping region (device coordinates) into region: 1, or 0 when the context has
// none, -1 on a bad argument.
int GetClipRgn(HDC dc, HRGN region);
// Makes a copy of region the clipping region, or with null removes the clipping region.
int SelectClipRgn(HDC dc, HRGN region);
// Puts the context's selected objects, colours, modes, current position and clipping region
// aside and returns their number among those put aside; RestoreDC takes such a number, or -1
// for the last, and brings them back, dropping the later ones.
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);

// gdi32: drawing.
BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
// The pixel's colour, or CLR_INVALID outside the clipping rectangle.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
COLORREF GetPixel(HDC dc, int x, int y);
BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            DWORD rop);
BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                int sourceWidth, int sourceHeight, DWORD rop);

// gdi32: text.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);

// kernel32
// number * numerator / denominator, rounded half away from zero, through 64 bits; -1 when the
// denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator);
constexpr DWORD MAX_PATH = 260;
// Reasons a module entry point is called with.
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;
constexpr DWORD DLL_THREAD_ATTACH = 2;
constexpr DWORD DLL_THREAD_DETACH = 3;
// The module's file name, or the program's for a null module. The name is cut to size - 1
// characters if it is longer; the buffer always ends in a zero and nothing is written past
// size characters. Returns the characters copied without the zero, or size when the name was
// cut, as Windows does.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
// Loads a shared library as a module: its resources are those of its resource table (see
// TModuleRecordImpl.h), none when it has no table. Null when the library cannot be loaded.
HMODULE LoadLibraryA(LPCSTR fileName);
// Releases a module that LoadLibraryA loaded; a module that is not such a library has nothing
// to release. FALSE for a null module.
BOOL FreeLibrary(HMODULE module);

#endif  // _WIN32
