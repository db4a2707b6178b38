// The Windows calls and types that the controls use, under their Win32 names and signatures.
// Here they are served by the framework layer's own GDI engine, text engine and module list.
#pragma once

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

using RECT = TRect;
using LPRECT = TRect*;
using LPCRECT = const TRect*;
using POINT = TPoint;

class TDeviceContext;
class TBitmapImage;
struct TModuleRecordImpl;
using HDC = TDeviceContext*;
using HBITMAP = TBitmapImage*;
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

// user32
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
BOOL OffsetRect(LPRECT rect, int dx, int dy);
BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL DrawFocusRect(HDC dc, const RECT* rect);
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
DWORD GetSysColor(int index);

// What GetClipBox says of the clipping region.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

// gdi32
BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
// The smallest rectangle around what dc may draw on, in logical coordinates; 0 without a dc.
int GetClipBox(HDC dc, LPRECT rect);
BOOL DeleteObject(HBITMAP bitmap);

// kernel32
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
