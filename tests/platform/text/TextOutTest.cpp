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
