#include <gtest/gtest.h>

#include "gdi/TDeviceContext.h"
#include "io/PngWriter.h"
#include "platform/text/TextFixtures.h"
#include "text/TFontInstance.h"

namespace {

const TTextFixtures& Fixtures() {
    return TTextFixtures::Get();
}

struct TDrawn {
    TSurface Surface;
    int Result = 0;
    TRect Rect;
};

TDrawn Draw(const TDrawTextCase& c) {
    const TTextFixtures& fx = Fixtures();
    TDrawn d{TSurface(fx.TileWidth, fx.TileHeight, PixelFromColorRef(fx.Sentinel)), 0, c.Rect};
    TDeviceContext dc(&d.Surface);
    dc.Font = TFontInstance::Get(fx.Font(c.Font).LogFont());
    dc.TextColor = static_cast<TColor>(fx.Ink);
    dc.BkColor = static_cast<TColor>(fx.Paper);
    dc.BkMode = c.BkMode;
    d.Result = DrawTextA(&dc, c.Text.c_str(), c.Count, &d.Rect, c.Format);
    return d;
}

std::string Describe(const TDrawTextCase& c) {
    std::string s = "case " + std::to_string(c.Index) + " format 0x";
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", c.Format);
    return s + hex + " \"" + c.Text + "\"";
}

}  // namespace

TEST(DrawTextLayout, ReturnValueAndRectangleMatchGdi) {
    for (const TDrawTextCase& c : Fixtures().Cases) {
        const TDrawn d = Draw(c);
        EXPECT_EQ(d.Result, c.Result) << Describe(c);
        EXPECT_EQ(d.Rect, c.ResultRect) << Describe(c);
    }
}

// Inside the rectangle every pixel is GDI's. Outside it a clipped call leaves everything
// untouched: GDI itself inks one row below the rectangle when a prefix underline falls exactly
// there (its bottom test is off by one), which the engine does not copy.
TEST(DrawTextLayout, PixelsMatchGdiAndClippedCallsStayInsideTheRectangle) {
    const TTextFixtures& fx = Fixtures();
    const TSurface sheet = TTextFixtures::Image(fx.DrawSheet);
    const TPixel sentinel = PixelFromColorRef(fx.Sentinel);
    int gdiOutside = 0;
    for (const TDrawTextCase& c : fx.Cases) {
        const TDrawn d = Draw(c);
        const bool clipped = (c.Format & (DT_NOCLIP | DT_CALCRECT)) == 0;
        const TRect inside = NormalizedRect(c.Rect);
        int differing = 0, outside = 0;
        for (int y = 0; y < fx.TileHeight; ++y)
            for (int x = 0; x < fx.TileWidth; ++x) {
                const TPixel ours = d.Surface.At(x, y) & 0xFFFFFF;
                const TPixel gdi = sheet.At(x, c.Index * fx.TileHeight + y) & 0xFFFFFF;
                if (clipped && !inside.Contains(TPoint{x, y})) {
                    if (ours != sentinel) ++outside;
                    if (gdi != sentinel) ++gdiOutside;
                } else if (ours != gdi) {
                    ++differing;
                }
            }
        EXPECT_EQ(differing, 0) << Describe(c);
        EXPECT_EQ(outside, 0) << Describe(c) << " writes outside its rectangle";
        if ((differing || outside) && std::getenv("QM_TEXT_DUMP"))
            PngWriter::Write(d.Surface, std::string(QM_BINARY_DIR) + "/drawtext-" +
                                            std::to_string(c.Index) + ".png");
    }
    // The one underline GDI draws below its rectangle, five pixels wide.
    EXPECT_EQ(gdiOutside, 5);
}
