// The decorative panels of the gallery.
#include <memory>
#include <string>

#include "app/Gallery.h"
#include "graphics/Graphics.h"
#include "graphics/TBitmap.h"
#include "graphics/TCanvas.h"
#include "panels/TQELGradient.h"
#include "panels/TScrollingArea.h"
#include "panels/TTileBitmap.h"

namespace Gallery {
namespace {

using Qelpanel::TQELGradient;
using Qelpanel::TScrollingArea;
using Qelpanel::TTileBitmap;

// The marquee strip, across the band under the gradients.
constexpr int kMarqueeLeft = 8;
constexpr int kMarqueeRight = 672;

TQELGradient* Gradient(TForm& form, const char* name, TRect r, Qelpanel::TGradientType type) {
    auto* g = new TQELGradient(&form);
    g->SetName(name);
    g->SetBoundsRect(r);
    g->SetGradientType(type);
    g->SetParent(&form);
    return g;
}

// A light 16 x 16 tile drawn in code: a cream square with a teal dot and a thin blue corner.
std::unique_ptr<TBitmap> DotTile() {
    auto tile = std::make_unique<TBitmap>();
    tile->SetSize(16, 16);
    TCanvas* c = tile->Canvas();
    c->Brush()->SetColor(0xE8F8FF);
    c->FillRect(TRect{0, 0, 16, 16});
    c->Pen()->SetColor(clTeal);
    c->Brush()->SetColor(0xD0E8A0);
    c->Ellipse(5, 5, 12, 12);
    c->Pen()->SetColor(0xF0C090);
    c->MoveTo(0, 15);
    c->LineTo(0, 0);
    c->LineTo(16, 0);
    return tile;
}

void AddGradients(TForm& form, int top) {
    auto* horizontal =
        Gradient(form, "HorizontalGradient", TRect{8, top, 216, top + 90}, Qelpanel::gtHorizontal);
    horizontal->SetCaption("Horizontal, raised");
    horizontal->SetBevelOuter(bvRaised);
    horizontal->SetBevelWidth(2);
    horizontal->Font()->SetColor(clWhite);
    horizontal->Font()->SetStyle(TFontStyles{fsBold});

    auto* vertical =
        Gradient(form, "VerticalGradient", TRect{224, top, 440, top + 90}, Qelpanel::gtVertical);
    vertical->SetColorStart(clYellow);
    vertical->SetColorEnd(clRed);
    vertical->SetMinIncrement(2);
    vertical->SetCaption("Vertical, lowered, left");
    vertical->SetAlignment(taLeftJustify);
    vertical->SetBevelInner(bvLowered);
    vertical->SetBevelOuter(bvRaised);
    vertical->SetBorderWidth(3);

    auto* conical =
        Gradient(form, "ConicalGradient", TRect{448, top, 672, top + 90}, Qelpanel::gtConical);
    conical->SetColorStart(clNavy);
    conical->SetColorEnd(clAqua);
    conical->SetCaption("Conical, single border, right");
    conical->SetAlignment(taRightJustify);
    conical->SetBorderStyle(bsSingle);
    conical->Font()->SetColor(clWhite);
}

void AddMarquee(TForm& form, int top) {
    auto* m = new TScrollingArea(&form);
    m->SetName("Marquee");
    m->SetBounds(kMarqueeLeft, top, kMarqueeRight - kMarqueeLeft, 18);
    m->SetColor(clNavy);
    m->Font()->SetName("Arial");
    m->Font()->SetHeight(-13);
    m->Font()->SetColor(clYellow);
    m->SetCaption("Quillmere: the marquee moves its caption two pixels to the left every 100 ms");
    m->SetParent(&form);
}

// One tile panel for each pair of outer and inner bevel, none (N), lowered (L) and raised
// (R); a space bevel draws as a raised one.
void AddTiles(TForm& form, int top, int bottom) {
    static constexpr TBevelCut kCuts[] = {bvNone, bvLowered, bvRaised};
    static constexpr char kLetters[] = {'N', 'L', 'R'};
    const std::unique_ptr<TBitmap> tile = DotTile();
    constexpr int kWidth = 66, kGap = 8;
    int x = kMarqueeLeft + 3;
    for (int outer = 0; outer < 3; ++outer)
        for (int inner = 0; inner < 3; ++inner) {
            auto* t = new TTileBitmap(&form);
            t->SetName(std::string("Tiles") + kLetters[outer] + kLetters[inner]);
            t->SetBounds(x, top, kWidth, bottom - top);
            t->SetBitmap(tile.get());
            t->SetBevelOuter(kCuts[outer]);
            t->SetBevelInner(kCuts[inner]);
            t->SetBevelWidth(2);
            t->SetCaption(std::string{kLetters[outer], '/', kLetters[inner]});
            t->Font()->SetName("Arial");
            t->Font()->SetHeight(-13);
            t->SetParent(&form);
            x += kWidth + kGap;
        }
}

}  // namespace

void AddPanels(TForm& form, const TRect& area) {
    AddGradients(form, area.Top + 8);
    AddMarquee(form, area.Top + 106);
    AddTiles(form, area.Top + 130, area.Bottom - 4);
}

TMilliseconds MarqueeLeadTime() {
    // The caption's left edge moves from the strip's right edge to 8 pixels from its left,
    // two pixels a tick of 100 ms.
    constexpr int kTicks = (kMarqueeRight - kMarqueeLeft - 8) / 2;
    return kTicks * 100;
}

}  // namespace Gallery
