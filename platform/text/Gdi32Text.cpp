// The Win32 calls of fonts and text, served by the text engine.
#include <algorithm>
#include <cstring>

#include "gdi/TDeviceContext.h"
#include "text/TGdiFontObject.h"
#include "text/TextOut.h"
#include "win/WinApi.h"

TLogFont LogFontFrom(const LOGFONTA& font) {
    TLogFont f;
    f.Name.assign(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE - 1));
    f.Height = font.lfHeight;
    f.Bold = font.lfWeight >= 600;
    f.Italic = font.lfItalic != 0;
    f.Underline = font.lfUnderline != 0;
    f.StrikeOut = font.lfStrikeOut != 0;
    f.Charset = font.lfCharSet;
    f.Pitch = font.lfPitchAndFamily & 0x3;
    f.Antialiased = font.lfQuality == ANTIALIASED_QUALITY;
    return f;
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (!font) return nullptr;
    return new TGdiFontObject(TFontInstance::Get(LogFontFrom(*font)));
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (!dc) return nullptr;
    HFONT previous = dc->SelectedFont;
    dc->SelectedFont = font;
    dc->Font = font ? font->Instance : nullptr;
    return previous;
}

BOOL DeleteObject(HFONT font) {
    if (!font) return FALSE;
    delete font;
    return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
    if (!dc || !dc->Surface()) return FALSE;
    Text::TextOut(*dc, x, y, text, count);
    return TRUE;
}

BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT*) {
    if (!dc || !dc->Surface()) return FALSE;
    Text::ExtTextOut(*dc, x, y, options, rect, text,
                     static_cast<int>(std::min<UINT>(count, INT32_MAX)));
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
    if (!dc || !size || count < 0 || (!text && count > 0)) return FALSE;
    const TPoint extent = Text::TextExtent(*dc, text, count);
    *size = SIZE{extent.X, extent.Y};
    return TRUE;
}
