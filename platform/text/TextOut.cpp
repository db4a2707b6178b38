#include "text/TextOut.h"

#include <algorithm>

#include "core/SysColors.h"
#include "gdi/PixelLoops.h"
#include "text/TFontInstance.h"

namespace Text {
namespace {

std::shared_ptr<const TFontInstance> FontOf(const TDeviceContext& dc) {
    return dc.Font ? dc.Font : TFontInstance::Get(TLogFont{});
}

// A glyph's inked pixels with its top-left at (left, top), in each part of clip.
void DrawGlyph(TSurface& s, const TGlyph& g, int left, int top, const TRegion& clip, TPixel ink) {
    clip.ForEachPart(TRect{left, top, left + g.Width, top + g.Height}, [&](const TRect& part) {
        PixelLoops::MaskBlend(s, part, g.Coverage.data(), g.Width, TPoint{left, top}, ink);
    });
}

void FillParts(TSurface& s, const TRegion& clip, const TRect& r, TPixel p) {
    clip.ForEachPart(r, [&](const TRect& part) { PixelLoops::FillRect(s, part, p); });
}

}  // namespace

TPoint TextExtent(const TDeviceContext& dc, const char* text, int n) {
    // No text has no extent, not even the font's height: GDI answers (0, 0).
    if (n <= 0 || !text) return TPoint{};
    auto font = FontOf(dc);
    return TPoint{font->TextWidth(text, n), font->Metrics().tmHeight};
}

void TextOut(TDeviceContext& dc, int x, int y, const char* text, int n, const TRect* clip) {
    ExtTextOut(dc, x, y, clip ? ETO_CLIPPED : 0, clip, text, n);
}

void ExtTextOut(TDeviceContext& dc, int x, int y, unsigned options, const TRect* rect,
                const char* text, int n) {
    if (n < 0 || !text) n = 0;
    auto font = FontOf(dc);
    const TEXTMETRICA& tm = font->Metrics();
    const int width = font->TextWidth(text, n);
    {
        TGdiCall call{"TextOut", TRect{x, y, x + width, y + tm.tmHeight}, dc.TextColor, dc.BkMode};
        call.Text.assign(text, static_cast<std::size_t>(n));
        dc.Record(std::move(call));
    }
    TSurface& s = *dc.Surface();
    const TRect box = rect ? dc.ToDevice(NormalizedRect(*rect)) : TRect{};
    const TPixel background = PixelFromColorRef(ColorToRGB(dc.BkColor));
    if (rect && (options & ETO_OPAQUE)) FillParts(s, dc.Clip(), box, background);
    // Clipped to the rectangle too, in a region of its own; else straight to the context's.
    TRegion cut;
    const TRegion* clipped = &dc.Clip();
    if (rect && (options & ETO_CLIPPED)) {
        cut = dc.Clip();
        cut.Intersect(box);
        clipped = &cut;
    }
    const TRegion& clip = *clipped;
    if (clip.IsEmpty() || n == 0) return;

    const TPoint origin = dc.ToDevice(TPoint{x, y});
    // The background is the text's cell box: its advance width by the font's height.
    if (dc.BkMode == OPAQUE)
        FillParts(s, clip, TRect{origin.X, origin.Y, origin.X + width, origin.Y + tm.tmHeight},
                  background);
    const TPixel ink = PixelFromColorRef(ColorToRGB(dc.TextColor));
    const int baseline = origin.Y + tm.tmAscent;
    int penX = origin.X;
    for (int i = 0; i < n; ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        const TGlyph& g = font->Glyph(ch);
        if (g.Width > 0) DrawGlyph(s, g, penX + g.OriginX, baseline - g.OriginY, clip, ink);
        // Each glyph starts where the measured widths put it, as GetTextExtentPoint counts.
        penX += g.Advance;
    }

    // Underline and strike-out are bands across the whole advance, centred on the face's
    // stroke position.
    auto band = [&](int position, int size) {
        size = std::max(1, size);
        const int top = baseline - (position + size / 2);
        FillParts(s, clip, TRect{origin.X, top, origin.X + width, top + size}, ink);
    };
    const TTextDecorations& d = font->Decorations();
    if (font->LogFont().Underline) band(d.UnderlinePosition, d.UnderlineSize);
    if (font->LogFont().StrikeOut) band(d.StrikeOutPosition, d.StrikeOutSize);
}

}  // namespace Text
