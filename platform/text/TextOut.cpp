#include "text/TextOut.h"

#include "core/SysColors.h"
#include "gdi/PixelLoops.h"
#include "text/TFontInstance.h"

namespace Text {
namespace {

std::shared_ptr<const TFontInstance> FontOf(const TDeviceContext& dc) {
    return dc.Font ? dc.Font : TFontInstance::Get(TLogFont{});
}

TPixel Blend(TPixel under, TPixel over, unsigned coverage) {
    auto ch = [&](int shift) {
        unsigned a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        return ((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

}  // namespace

TPoint TextExtent(const TDeviceContext& dc, const char* text, int n) {
    auto font = FontOf(dc);
    return TPoint{font->TextWidth(text, n), font->Metrics().tmHeight};
}

void TextOut(TDeviceContext& dc, int x, int y, const char* text, int n, const TRect* clip) {
    auto font = FontOf(dc);
    const TEXTMETRICA& tm = font->Metrics();
    const int width = font->TextWidth(text, n);
    {
        TGdiCall call{"TextOut", TRect{x, y, x + width, y + tm.tmHeight}, dc.TextColor, dc.BkMode};
        call.Text.assign(text, static_cast<std::size_t>(n));
        dc.Record(std::move(call));
    }
    TRect deviceClip = dc.DeviceClip();
    if (clip) deviceClip = IntersectRects(deviceClip, dc.ToDevice(NormalizedRect(*clip)));
    if (deviceClip.IsEmpty()) return;

    const TPoint origin = dc.ToDevice(TPoint{x, y});
    if (dc.BkMode == 2) {
        TRect cells = IntersectRects(
            TRect{origin.X, origin.Y, origin.X + width, origin.Y + tm.tmHeight}, deviceClip);
        if (!cells.IsEmpty())
            PixelLoops::FillRect(*dc.Surface(), cells, PixelFromColorRef(ColorToRGB(dc.BkColor)));
    }
    const TPixel ink = PixelFromColorRef(ColorToRGB(dc.TextColor));
    TSurface& s = *dc.Surface();
    const int baseline = origin.Y + tm.tmAscent;
    int penX = origin.X;
    for (int i = 0; i < n; ++i) {
        const TGlyph& g = font->Glyph(static_cast<unsigned char>(text[i]));
        const int gx = penX + g.Left, gy = baseline - g.Top;
        for (int row = 0; row < g.Height; ++row) {
            const int py = gy + row;
            if (py < deviceClip.Top || py >= deviceClip.Bottom) continue;
            const std::uint8_t* cov = g.Coverage.data() + static_cast<std::size_t>(row) * g.Width;
            for (int col = 0; col < g.Width; ++col) {
                const int px = gx + col;
                if (cov[col] == 0 || px < deviceClip.Left || px >= deviceClip.Right) continue;
                s.Set(px, py, cov[col] == 255 ? ink : Blend(s.At(px, py), ink, cov[col]));
            }
        }
        penX += g.Advance;
    }
    auto stroke = [&](int lineY) {
        for (int t = 0; t < font->LineThickness(); ++t) {
            TRect line = IntersectRects(TRect{origin.X, lineY + t, origin.X + width, lineY + t + 1},
                                        deviceClip);
            if (!line.IsEmpty()) PixelLoops::FillRect(s, line, ink);
        }
    };
    if (font->LogFont().Underline) stroke(baseline + font->UnderlinePosition());
    if (font->LogFont().StrikeOut) stroke(baseline + font->StrikeOutPosition());
}

}  // namespace Text
