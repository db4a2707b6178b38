#include <gtest/gtest.h>

#include "gdi/TDeviceContext.h"
#include "io/PngWriter.h"
#include "platform/text/TextFixtures.h"
#include "text/TFontInstance.h"

namespace {

const TTextFixtures& Fixtures() { return TTextFixtures::Get(); }

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

TEST(DrawTextLayout, PixelsMatchGdi) {
    const TTextFixtures& fx = Fixtures();
    const TSurface sheet = TTextFixtures::Image(fx.DrawSheet);
    for (const TDrawTextCase& c : fx.Cases) {
        const TDrawn d = Draw(c);
        int differing = 0;
        for (int y = 0; y < fx.TileHeight; ++y)
            for (int x = 0; x < fx.TileWidth; ++x)
                if ((d.Surface.At(x, y) & 0xFFFFFF) !=
                    (sheet.At(x, c.Index * fx.TileHeight + y) & 0xFFFFFF))
                    ++differing;
        EXPECT_EQ(differing, 0) << Describe(c);
        if (differing && std::getenv("QM_TEXT_DUMP"))
            PngWriter::Write(d.Surface, std::string(QM_BINARY_DIR) + "/drawtext-" +
                                            std::to_string(c.Index) + ".png");
    }
}
