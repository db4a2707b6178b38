// DrawTextA: lines, prefixes, tabs, alignment and clipping on top of TextOut.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gdi/Gdi.h"
#include "text/TFontInstance.h"
#include "text/TextOut.h"
#include "win/WinApi.h"

namespace {

struct TLine {
    std::string Text;  // prefixes removed
    int Underline = -1;  // index in Text of the character the prefix marks, or -1
};

// Splits into lines (unless single-line) and resolves "&" prefixes: "&x" marks x, "&&" is "&".
std::vector<TLine> LayoutLines(const char* text, int n, UINT format) {
    std::vector<TLine> lines(1);
    const bool prefixes = (format & DT_NOPREFIX) == 0;
    const bool single = (format & DT_SINGLELINE) != 0;
    for (int i = 0; i < n; ++i) {
        char c = text[i];
        if (!single && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            lines.emplace_back();
            continue;
        }
        if (prefixes && c == '&') {
            if (i + 1 < n && text[i + 1] == '&') {
                lines.back().Text += '&';
                ++i;
            } else if (i + 1 < n) {
                lines.back().Underline = static_cast<int>(lines.back().Text.size());
            }
            continue;
        }
        lines.back().Text += c;
    }
    return lines;
}

// Pieces of a line between tabs, each with its x offset from the line's start.
struct TPiece {
    int Offset;
    int Begin;
    int End;
};

std::vector<TPiece> Pieces(const TFontInstance& font, const std::string& s, UINT format,
                           int& width) {
    std::vector<TPiece> out;
    const int tabWidth = 8 * std::max<int>(1, font.Metrics().tmAveCharWidth);
    int x = 0, begin = 0;
    const int n = static_cast<int>(s.size());
    for (int i = 0; i <= n; ++i) {
        if (i == n || ((format & DT_EXPANDTABS) && s[i] == '\t')) {
            out.push_back({x, begin, i});
            x += font.TextWidth(s.data() + begin, i - begin);
            if (i < n) x = (x / tabWidth + 1) * tabWidth;
            begin = i + 1;
        }
    }
    width = x;
    return out;
}

int PrefixX(const TFontInstance& font, const std::vector<TPiece>& pieces, const std::string& s,
            int index, int& charWidth) {
    for (const TPiece& p : pieces)
        if (index >= p.Begin && index < p.End) {
            charWidth = font.TextWidth(s.data() + index, 1);
            return p.Offset + font.TextWidth(s.data() + p.Begin, index - p.Begin);
        }
    charWidth = 0;
    return 0;
}

}  // namespace

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!dc || !rect) return 0;
    if (!text) text = "";
    const int n = count < 0 ? static_cast<int>(std::strlen(text)) : count;
    auto font = dc->Font ? dc->Font : TFontInstance::Get(TLogFont{});
    const TEXTMETRICA& tm = font->Metrics();
    const int lineHeight = tm.tmHeight;

    TGdiCall call{"DrawText", *rect, dc->TextColor, dc->BkMode};
    call.Text.assign(text, static_cast<std::size_t>(n));
    call.Flags = format;

    std::vector<TLine> lines = LayoutLines(text, n, format);
    const TRect r = *rect;
    int y = r.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = r.Top + (r.Bottom - r.Top) / 2 - lineHeight / 2;
        else if (format & DT_BOTTOM)
            y = r.Bottom - lineHeight;
    }
    const int firstY = y;
    int maxWidth = 0;
    const bool draw = (format & DT_CALCRECT) == 0;
    const TRect* clip = (format & DT_NOCLIP) ? nullptr : &r;

    // One DrawText record stands for the whole call; the TextOut calls under it are not logged.
    // A measuring call is logged at the end, with the rectangle it computed.
    TCallLog* log = dc->Log;
    if (log && draw) log->Add(call);
    dc->Log = nullptr;
    for (const TLine& line : lines) {
        int width = 0;
        std::vector<TPiece> pieces = Pieces(*font, line.Text, format, width);
        maxWidth = std::max(maxWidth, width);
        if (draw) {
            int x = r.Left;
            if (format & DT_CENTER)
                x = (r.Left + r.Right - width) / 2;
            else if (format & DT_RIGHT)
                x = r.Right - width;
            for (const TPiece& p : pieces)
                if (p.End > p.Begin)
                    Text::TextOut(*dc, x + p.Offset, y, line.Text.data() + p.Begin,
                                  p.End - p.Begin, clip);
            if (line.Underline >= 0) {
                int charWidth = 0;
                int ux = x + PrefixX(*font, pieces, line.Text, line.Underline, charWidth);
                TGdiPen savedPen = dc->Pen;
                TPoint savedPos = dc->CurrentPosition;
                TRect savedClip = dc->DeviceClip();
                if (clip) dc->SetClip(IntersectRects(savedClip, dc->ToDevice(r)));
                dc->Pen = TGdiPen{0, 1, dc->TextColor};
                Gdi::MoveTo(*dc, ux, y + tm.tmAscent + 1);
                Gdi::LineTo(*dc, ux + charWidth - 1, y + tm.tmAscent + 1);
                dc->Pen = savedPen;
                dc->CurrentPosition = savedPos;
                dc->SetClip(savedClip);
            }
        }
        y += lineHeight;
    }
    dc->Log = log;
    if (!draw) {
        rect->Right = rect->Left + maxWidth;
        rect->Bottom = rect->Top + (y - firstY);
        call.ResultRect = *rect;
        if (log) log->Add(call);
    }
    return y - firstY;
}

BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
    if (!dc || !metrics) return FALSE;
    auto font = dc->Font ? dc->Font : TFontInstance::Get(TLogFont{});
    *metrics = font->Metrics();
    return TRUE;
}
