#include <gtest/gtest.h>

#include "gdi/TDeviceContext.h"
#include "io/PngWriter.h"
#include "platform/text/TextFixtures.h"
#include "text/TFontInstance.h"
#include "text/TextOut.h"

namespace {

const TTextFixtures& Fixtures() {
    return TTextFixtures::Get();
}

int Differences(const TSurface& a, const TSurface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF)) ++n;
    return n;
}

}  // namespace

TEST(TextOutPixels, EveryGlyphMatchesGdiOnBothBackgrounds) {
    const TTextFixtures& fx = Fixtures();
    for (const TFixtureFont& f : fx.Fonts) {
        TSurface ours(f.SheetWidth, f.SheetHeight, PixelFromColorRef(fx.Sentinel));
        TDeviceContext dc(&ours);
        dc.Font = TFontInstance::Get(f.LogFont());
        dc.TextColor = static_cast<TColor>(fx.Ink);
        dc.BkColor = static_cast<TColor>(fx.Paper);
        for (const TFixtureLine& l : f.Lines) {
            dc.BkMode = l.BkMode;
            Text::TextOut(dc, l.X, l.Y, l.Text.data(), static_cast<int>(l.Text.size()));
        }
        const TSurface gdi = TTextFixtures::Image(f.Sheet);
        const int diff = Differences(ours, gdi);
        EXPECT_EQ(diff, 0) << f.Describe() << " (" << f.Sheet << ")";
        if (diff != 0 && std::getenv("QM_TEXT_DUMP"))
            PngWriter::Write(ours, std::string(QM_BINARY_DIR) + "/" + f.Sheet + ".ours.png");
    }
}

TEST(TextOutPixels, AntialiasedGlyphsBlendInkIntoTheBackground) {
    TLogFont lf;
    lf.Name = "Arial";
    lf.Height = -20;
    lf.Antialiased = true;
    auto font = TFontInstance::Get(lf);
    const TGlyph& o = font->Glyph('O');
    int partial = 0;
    for (std::uint8_t c : o.Coverage) partial += c > 0 && c < 255;
    EXPECT_GT(partial, 0);

    TSurface s(40, 30, 0xFFFFFF);
    TDeviceContext dc(&s);
    dc.Font = font;
    dc.TextColor = 0;  // black on white: every touched pixel is a grey
    dc.BkMode = TRANSPARENT;
    Text::TextOut(dc, 2, 2, "O", 1);
    int greys = 0;
    for (TPixel p : s.Pixels()) {
        const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_TRUE(r == g && g == b);
        greys += r > 0 && r < 255;
    }
    EXPECT_GT(greys, 0);
}

TEST(TextOutPixels, ClipRectangleAndContextClipBothHold) {
    TSurface s(60, 20, 0x123456);
    TDeviceContext dc(&s, TPoint{5, 3}, TRect{10, 0, 50, 20});
    dc.BkMode = OPAQUE;
    const TRect clip{0, 2, 60, 9};  // logical: device rows 5 .. 11
    Text::TextOut(dc, 0, 0, "WWWWWWWWWWWW", 12, &clip);
    int outside = 0, inside = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const bool allowed = x >= 10 && x < 50 && y >= 5 && y < 12;
            (allowed ? inside : outside) += s.At(x, y) != 0x123456u;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 0);
}
