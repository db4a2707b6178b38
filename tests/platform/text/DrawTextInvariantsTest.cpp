// Properties of DrawTextA that hold for any text, checked on many random texts, rectangles
// and formats (with a generator started the same way each run, so a failure repeats).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "gdi/TDeviceContext.h"
#include "platform/text/TextFixtures.h"
#include "text/TFontInstance.h"

namespace {

constexpr TPixel kSentinel = 0x3CA55A;
constexpr TColor kInk = 0xF02010;
constexpr TColor kPaper = 0x10E0F0;

struct TRandomText {
    std::mt19937 Rng{20240611};

    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(Rng); }
    bool OneIn(int n) { return Between(1, n) == 1; }

    // A word of printable code page 1252 characters, some of them accented.
    std::string Word() {
        static const std::string kChars =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,:;!?()-_/'\""
            "\xC4\xD6\xDC\xDF\xE9\xE8\xEA\xC5\xF1\x80\xA9";
        std::string w;
        for (int n = Between(1, 8); n > 0; --n) w += kChars[Between(0, int(kChars.size()) - 1)];
        return w;
    }
    // A line of words, with tabs, prefixes and doubled ampersands here and there.
    std::string Line(bool tabs, bool prefixes) {
        std::string s = Word();
        for (int n = Between(0, 3); n > 0; --n) {
            if (tabs && OneIn(3)) s += '\t';
            if (prefixes && OneIn(4)) s += OneIn(3) ? "&&" : "&";
            s += Word();
        }
        return s;
    }
    const char* Break() {
        static const char* kBreaks[] = {"\r\n", "\n", "\r"};
        return kBreaks[Between(0, 2)];
    }
    TLogFont Font() {
        static const char* kNames[] = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New"};
        static const int kHeights[] = {-11, -13, -15, -16, -20, 15, 18};
        TLogFont lf;
        lf.Name = kNames[Between(0, 3)];
        lf.Height = kHeights[Between(0, 6)];
        lf.Bold = OneIn(2);
        lf.Italic = OneIn(3);
        return lf;
    }
};

struct TTarget {
    TSurface Surface{240, 120, kSentinel};
    TDeviceContext Dc{&Surface};
    explicit TTarget(const TLogFont& font, int bkMode = OPAQUE) {
        Dc.Font = TFontInstance::Get(font);
        Dc.TextColor = kInk;
        Dc.BkColor = kPaper;
        Dc.BkMode = bkMode;
    }
    // The smallest rectangle holding every pixel of the given colour.
    TRect BoundsOf(TPixel p) const {
        TRect b{Surface.Width(), Surface.Height(), 0, 0};
        for (int y = 0; y < Surface.Height(); ++y)
            for (int x = 0; x < Surface.Width(); ++x)
                if (Surface.At(x, y) == p) {
                    b.Left = std::min(b.Left, x), b.Top = std::min(b.Top, y);
                    b.Right = std::max(b.Right, x + 1), b.Bottom = std::max(b.Bottom, y + 1);
                }
        return b;
    }
};

}  // namespace

// What DT_CALCRECT reports is the box the same call fills with the background colour: the
// cells of all lines, from the left edge to the widest line's end.
TEST(DrawTextInvariants, CalcRectIsTheBoxTheDrawnCellsFill) {
    TRandomText r;
    for (int i = 0; i < 300; ++i) {
        const TLogFont font = r.Font();
        const bool single = r.OneIn(3);
        const UINT format = (single ? DT_SINGLELINE : 0) | (r.OneIn(2) ? DT_EXPANDTABS : 0);
        std::string text = r.Line(format & DT_EXPANDTABS, true);
        for (int n = single ? 0 : r.Between(0, 2); n > 0; --n)
            text += r.Break() + r.Line(format & DT_EXPANDTABS, true);
        SCOPED_TRACE("\"" + text + "\" " + font.Name + " " + std::to_string(font.Height));

        TRect measured{8, 6, 8, 6};
        const int measuredHeight = DrawTextA(nullptr, text.c_str(), -1, &measured, format);
        EXPECT_EQ(measuredHeight, 0);  // no context, nothing done
        TTarget t(font);
        const int calc = DrawTextA(&t.Dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
        EXPECT_EQ(t.BoundsOf(PixelFromColorRef(kPaper)), (TRect{240, 120, 0, 0}))
            << "measuring drew";

        TRect drawRect{8, 6, 236, 116};
        const int drawn = DrawTextA(&t.Dc, text.c_str(), -1, &drawRect, format);
        // Text larger than the surface is cut there; those cases prove nothing here.
        if (measured.Bottom > drawRect.Bottom || measured.Right > drawRect.Right) continue;
        EXPECT_EQ(t.BoundsOf(PixelFromColorRef(kPaper)), measured);
        EXPECT_EQ(drawn, calc);
        EXPECT_EQ(calc, measured.Bottom - measured.Top);
    }
}

// A clipped call touches nothing outside its rectangle, whatever the alignment, the prefixes
// and the rectangle (empty, inverted, partly off the surface, smaller than the text).
TEST(DrawTextInvariants, ClippedTextNeverWritesOutsideTheRectangle) {
    TRandomText r;
    for (int i = 0; i < 400; ++i) {
        const TLogFont font = r.Font();
        TTarget t(font, r.OneIn(2) ? OPAQUE : TRANSPARENT);
        static const UINT kHorizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        static const UINT kVertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
        const bool single = r.OneIn(2);
        const UINT format = kHorizontal[r.Between(0, 2)] | kVertical[r.Between(0, 2)] |
                            (single ? DT_SINGLELINE : 0) | (r.OneIn(2) ? DT_EXPANDTABS : 0);
        std::string text = r.Line(true, true);
        if (!single || r.OneIn(2)) text += r.Break() + r.Line(true, true);
        TRect rect;
        rect.Left = r.Between(-30, 200);
        rect.Top = r.Between(-30, 100);
        rect.Right = rect.Left + r.Between(-10, 150);
        rect.Bottom = rect.Top + r.Between(-10, 40);
        const TRect inside = NormalizedRect(rect);
        SCOPED_TRACE("\"" + text + "\" format " + std::to_string(format));

        DrawTextA(&t.Dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
        int outside = 0;
        for (int y = 0; y < t.Surface.Height(); ++y)
            for (int x = 0; x < t.Surface.Width(); ++x)
                if (!inside.Contains(TPoint{x, y}) && t.Surface.At(x, y) != kSentinel) ++outside;
        EXPECT_EQ(outside, 0);
    }
}

// The underline of "&x" is the row under the baseline, across a character's cell as text is
// measured (its width less one pixel), wherever it falls: on a later line, in centred or
// right-aligned text. The character is x unless tabs come ahead of it: user32 under Wine moves
// the mark on past each tab's segment but not past the tab, so every tab before x moves the
// underline one character further (or off the line). Nothing else changes.
TEST(DrawTextInvariants, PrefixUnderlinesItsCharacterCell) {
    TRandomText r;
    for (int i = 0; i < 300; ++i) {
        const TLogFont font = r.Font();
        auto f = TFontInstance::Get(font);
        static const UINT kHorizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        const UINT format = kHorizontal[r.Between(0, 2)] | DT_EXPANDTABS;
        // before + "&" + marked + after on line `lineNo`; tabs only ahead of the marked
        // character, within its line.
        std::string lines[2] = {r.Line(false, false), r.Line(false, false)};
        const int lineNo = r.Between(0, 1);
        std::string before = r.Line(true, false);
        if (r.OneIn(4)) before.clear();
        const char marked = r.Word()[0];
        const std::string after = r.Line(false, false);
        lines[lineNo] = before + marked + after;
        const std::string plain = lines[0] + "\n" + lines[1];
        lines[lineNo] = before + "&" + marked + after;
        const std::string prefixed = lines[0] + "\n" + lines[1];
        SCOPED_TRACE("\"" + prefixed + "\"");

        TTarget withLine(font, TRANSPARENT), without(font, TRANSPARENT);
        TRect rect{4, 4, 236, 116};
        DrawTextA(&withLine.Dc, prefixed.c_str(), -1, &rect, format);
        DrawTextA(&without.Dc, plain.c_str(), -1, &rect, format);

        // The character underlined: the mark goes from tab segment to tab segment.
        const std::string drawnLine = before + marked + after;
        std::size_t underlined = std::string::npos;
        std::size_t mark = before.size();
        for (std::size_t start = 0; start < drawnLine.size();) {
            const std::size_t segment =
                std::min(drawnLine.find('\t', start), drawnLine.size()) - start;
            if (mark < segment) {
                underlined = start + mark;
                break;
            }
            mark -= segment;
            start += segment + 1;
        }
        // Where that character's cell starts: its line's start, then the tab stops.
        const int tab = 8 * f->Metrics().tmAveCharWidth;
        int lineWidth = 0, cell = 0;
        for (std::size_t k = 0; k < drawnLine.size(); ++k) {
            if (k == underlined) cell = lineWidth;
            lineWidth = drawnLine[k] == '\t' ? (lineWidth / tab + 1) * tab
                                             : lineWidth + f->CharWidth(drawnLine[k]);
        }
        int x = rect.Left;
        if (format & DT_CENTER) x = (rect.Left + rect.Right - lineWidth) / 2;
        if (format & DT_RIGHT) x = rect.Right - lineWidth;
        const int row = rect.Top + lineNo * f->Metrics().tmHeight + f->Metrics().tmAscent + 1;
        // Cut to the rectangle, as the text is.
        const int left = std::max(x + cell, rect.Left);
        const int right =
            underlined == std::string::npos
                ? left
                : std::min(x + cell + f->CharWidth(drawnLine[underlined]) - 1, rect.Right);

        for (int y = 0; y < withLine.Surface.Height(); ++y)
            for (int px = 0; px < withLine.Surface.Width(); ++px) {
                const bool underline = y == row && px >= left && px < right;
                const TPixel got = withLine.Surface.At(px, y);
                if (underline)
                    EXPECT_EQ(got, PixelFromColorRef(kInk)) << px << "," << y;
                else
                    EXPECT_EQ(got, without.Surface.At(px, y)) << px << "," << y;
            }
    }
}
