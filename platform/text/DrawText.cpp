// DrawTextA: lines, "&" prefixes, tabs, alignment and clipping, laid out the way user32 lays
// them out, on top of TextOut. Word breaking and ellipses are not supported.
#include <algorithm>
#include <cstring>
#include <string>

#include "core/SysColors.h"
#include "gdi/PixelLoops.h"
#include "text/TFontInstance.h"
#include "text/TextOut.h"
#include "win/WinApi.h"

namespace {

constexpr char kTab = '\t';
constexpr char kLineFeed = '\n';
constexpr char kReturn = '\r';
constexpr char kPrefix = '&';
// Two control characters that user32 still reads as prefixes: 0x1E marks the next character
// like "&" does, 0x1F drops itself and the character after it.
constexpr char kAlphaPrefix = 0x1E;
constexpr char kKanaPrefix = 0x1F;

struct TLayout {
    UINT Format;
    int TabWidth;    // pixels between tab stops
    int LineHeight;  // how far each line moves down
    int CellHeight;  // the font's height, which a segment of no characters does not have
};

// One line as the drawing loop takes it: the characters to draw (prefixes resolved, tabs kept
// when they are expanded), the first underlined character, and the line's extent.
struct TLine {
    std::string Text;
    int Prefix = -1;  // index into Text of the underlined character, or -1
    int Width = 0;    // with tabs expanded
    int Height = 0;
};

bool Has(UINT format, UINT flag) {
    return (format & flag) != 0;
}

bool IsBreak(char c) {
    return c == kReturn || c == kLineFeed;
}

bool IsPrefix(char c) {
    return c == kPrefix || c == kAlphaPrefix;
}

// A prefix noted at the very end of a segment (before a tab, a line break or the end) marks
// nothing; user32 then reads the segment's n source characters again and takes the last
// prefix that marks one of its drawn characters, if any.
int LastMarkedCharacter(const char* source, int n, int drawn) {
    int marked = -1;
    for (int i = 0; i < drawn && n > 0; ++i, ++source) {
        --n;
        if (IsPrefix(*source)) {
            ++source;
            if (n == 0) break;
            if (*source != kPrefix) marked = i;
            --n;
        }
    }
    return marked;
}

// Takes the next line off text (from pos, with count characters left). A line ends at CR,
// LF, CR LF or LF CR, unless DT_SINGLELINE; tabs split it into segments that start at tab
// stops. Of several prefixes in one segment the last one counts; a prefix in a later segment
// counts only when none came before. Returns whether text remains after the line.
bool NextLine(const TFontInstance& font, const char* text, int& pos, int& count,
              const TLayout& layout, TLine& line) {
    const UINT format = layout.Format;
    const bool expandTabs = Has(format, DT_EXPANDTABS);
    const bool single = Has(format, DT_SINGLELINE);
    line = TLine{};
    while (count > 0) {
        if (text[pos] == kTab && expandTabs) {
            line.Width = (line.Width / layout.TabWidth + 1) * layout.TabWidth;
            line.Text += text[pos++];
            --count;
            while (count > 0 && text[pos] == kTab) {
                line.Width += layout.TabWidth;
                line.Text += text[pos++];
                --count;
            }
        }
        const int segmentStart = static_cast<int>(line.Text.size());
        const int segmentSource = pos;
        while (count > 0 && (text[pos] != kTab || !expandTabs) && (!IsBreak(text[pos]) || single)) {
            const char c = text[pos];
            // A prefix as the very last character is drawn as it stands.
            if (Has(format, DT_NOPREFIX) || count <= 1) {
                line.Text += c;
                ++pos, --count;
            } else if (IsPrefix(c)) {
                ++pos, --count;
                if (text[pos] == kPrefix) {
                    line.Text += text[pos++];
                    --count;
                } else if (line.Prefix == -1 || line.Prefix >= segmentStart) {
                    line.Prefix = static_cast<int>(line.Text.size());
                }
            } else if (c == kKanaPrefix) {
                pos += 2, count -= 2;
            } else {
                line.Text += c;
                ++pos, --count;
            }
        }
        const int drawn = static_cast<int>(line.Text.size()) - segmentStart;
        if (line.Prefix >= segmentStart + drawn) {
            const int marked =
                LastMarkedCharacter(text + segmentSource, pos - segmentSource, drawn);
            line.Prefix = marked == -1 ? -1 : segmentStart + marked;
        }
        line.Width += font.TextWidth(line.Text.data() + segmentStart, drawn);
        if (drawn > 0) line.Height = std::max(line.Height, layout.CellHeight);
        if (count <= 0) break;
        if (IsBreak(text[pos])) {
            ++pos, --count;
            if (count > 0 && IsBreak(text[pos]) && text[pos] != text[pos - 1]) ++pos, --count;
            break;
        }
    }
    return count > 0;
}

// The underline of a prefixed character: one pixel row at y, from the character's left edge
// to one pixel short of its advance, cut to the rectangle when the text is clipped.
void DrawPrefixUnderline(TDeviceContext& dc, const TFontInstance& font, int x, int y,
                         const char* segment, int offset, const TRect* clip) {
    int left = x + font.TextWidth(segment, offset);
    int right = x + font.TextWidth(segment, offset + 1) - 1;  // excluded, as LineTo's end
    TRegion limit = dc.Clip();
    if (clip) {
        if (left > clip->Right || right < clip->Left || y < clip->Top || y >= clip->Bottom) return;
        left = std::max(left, clip->Left);
        right = std::min(right, clip->Right);
        limit.Intersect(dc.ToDevice(NormalizedRect(*clip)));
    }
    if (left == right) return;
    // A line drawn leftwards covers its start pixel and stops short of its end.
    const int x0 = left < right ? left : right + 1;
    const int x1 = left < right ? right : left + 1;
    const TPoint a = dc.ToDevice(TPoint{x0, y});
    const TPixel ink = PixelFromColorRef(ColorToRGB(dc.TextColor));
    dc.NoteDrawn();
    limit.ForEachPart(TRect{a.X, a.Y, a.X + (x1 - x0), a.Y + 1},
                      [&](const TRect& part) { PixelLoops::FillRect(*dc.Surface(), part, ink); });
}

// Draws one line's segments at (x, y): each segment starts at the next tab stop after the
// previous one, and only the first segment that holds the prefix gets its underline.
void DrawLine(TDeviceContext& dc, const TFontInstance& font, const TLine& line, int x, int y,
              const TLayout& layout, const TRect* clip) {
    const char* s = line.Text.data();
    int len = static_cast<int>(line.Text.size());
    int prefix = line.Prefix;
    int segmentX = x;
    while (len > 0) {
        int segment = 0;
        if (Has(layout.Format, DT_EXPANDTABS))
            while (segment < len && s[segment] != kTab) ++segment;
        else
            segment = len;
        Text::TextOut(dc, segmentX, y, s, segment, clip);
        if (prefix != -1 && prefix < segment)
            DrawPrefixUnderline(dc, font, segmentX, y + font.Metrics().tmAscent + 1, s, prefix,
                                clip);
        const int width = font.TextWidth(s, segment);
        len -= segment;
        s += segment;
        if (len > 0) {  // a tab
            --len, ++s;
            segmentX += (width / layout.TabWidth + 1) * layout.TabWidth;
            // The prefix index moves past the segment but not past its tab, as user32 under
            // Wine moves it: a prefix after a tab underlines the character after the marked one.
            if (prefix != -1) prefix = prefix < segment ? -1 : prefix - segment;
        }
    }
}

// The cell height of an empty text, with its DT_CALCRECT rectangle.
int EmptyText(int lineHeight, TRect& rect, UINT format) {
    if (Has(format, DT_CALCRECT)) {
        rect.Right = rect.Left;
        rect.Bottom = Has(format, DT_SINGLELINE) ? rect.Top + lineHeight : rect.Top;
    }
    return lineHeight;
}

}  // namespace

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!dc || !rect || count == 0) return 0;
    // A memory context with no bitmap selected measures but draws nothing.
    if (!dc->Surface() && !Has(format, DT_CALCRECT)) return 0;
    if (!text && count > 0) return 0;
    auto font = dc->Font ? dc->Font : TFontInstance::Get(TLogFont{});
    const TEXTMETRICA& tm = font->Metrics();

    TLayout layout{format, 0, tm.tmHeight, tm.tmHeight};
    if (Has(format, DT_EXTERNALLEADING)) layout.LineHeight += tm.tmExternalLeading;
    if (Has(format, DT_TABSTOP)) {
        const int stops = static_cast<int>((format >> 8) & 0xFF);
        layout.Format &= 0xFFFF00FF;
        layout.TabWidth = tm.tmAveCharWidth * (stops ? stops : 8);
    } else {
        layout.TabWidth = tm.tmAveCharWidth * 8;
    }
    layout.TabWidth = std::max(1, layout.TabWidth);
    format = layout.Format;

    const int n = count < 0 ? (text ? static_cast<int>(std::strlen(text)) : 0) : count;
    TGdiCall call{"DrawText", *rect, dc->TextColor, dc->BkMode};
    if (text) call.Text.assign(text, static_cast<std::size_t>(n));
    call.Flags = format;
    TCallLog* log = dc->Log;
    const bool draw = !Has(format, DT_CALCRECT);
    if (n == 0) {
        const int result = EmptyText(layout.LineHeight, *rect, format);
        call.ResultRect = *rect;
        if (log) log->Add(call);
        return result;
    }

    // One DrawText record stands for the whole call; the TextOut calls under it are not
    // logged. A measuring call is logged at the end, with the rectangle it computed.
    if (log && draw) log->Add(call);
    dc->Log = nullptr;

    const TRect r = *rect;
    const TRect* clip = (Has(format, DT_NOCLIP) || !draw) ? nullptr : &r;
    int x = r.Left, y = r.Top, maxWidth = 0;
    int pos = 0, left = n;
    bool more = true, lastLine = false;
    TLine line;
    while (more && !lastLine) {
        // Clipped text stops after the first line that reaches below the rectangle.
        lastLine = clip && y + layout.LineHeight > r.Bottom;
        more = NextLine(*font, text, pos, left, layout, line);
        // In 64 bits: a rectangle may lie anywhere an int reaches.
        if (Has(format, DT_CENTER))
            x = SaturatedInt((std::int64_t{r.Left} + r.Right - line.Width) / 2);
        else if (Has(format, DT_RIGHT))
            x = SaturatedInt(std::int64_t{r.Right} - line.Width);
        if (Has(format, DT_SINGLELINE)) {
            if (Has(format, DT_VCENTER))
                y = r.Top + (r.Bottom - r.Top) / 2 - line.Height / 2;
            else if (Has(format, DT_BOTTOM))
                y = r.Bottom - line.Height;
        }
        if (draw)
            DrawLine(*dc, *font, line, x, y, layout, clip);
        else
            maxWidth = std::max(maxWidth, line.Width);
        y += layout.LineHeight;
    }
    dc->Log = log;
    if (!draw) {
        rect->Right = rect->Left + maxWidth;
        rect->Bottom = y;
        call.ResultRect = *rect;
        if (log) log->Add(call);
    }
    // The distance from the rectangle's top to the bottom of the last line, never 0.
    const int result = y - r.Top;
    return result == 0 ? 1 : result;
}

BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
    if (!dc || !metrics) return FALSE;
    auto font = dc->Font ? dc->Font : TFontInstance::Get(TLogFont{});
    *metrics = font->Metrics();
    return TRUE;
}
