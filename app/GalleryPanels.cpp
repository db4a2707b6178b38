// The decorative panels of the gallery.
#include "app/Gallery.h"
#include "graphics/Graphics.h"
#include "panels/TQELGradient.h"

namespace Gallery {
namespace {

using Qelpanel::TQELGradient;

TQELGradient* Gradient(TForm& form, const char* name, TRect r, Qelpanel::TGradientType type) {
    auto* g = new TQELGradient(&form);
    g->SetName(name);
    g->SetBoundsRect(r);
    g->SetGradientType(type);
    g->SetParent(&form);
    return g;
}

}  // namespace

void AddPanels(TForm& form, const TRect& area) {
    const int top = area.Top + 8;
    auto* horizontal = Gradient(form, "HorizontalGradient", TRect{8, top, 216, top + 90},
                                Qelpanel::gtHorizontal);
    horizontal->SetCaption("Horizontal, raised");
    horizontal->SetBevelOuter(bvRaised);
    horizontal->SetBevelWidth(2);
    horizontal->Font()->SetColor(clWhite);
    horizontal->Font()->SetStyle(TFontStyles{fsBold});

    auto* vertical = Gradient(form, "VerticalGradient", TRect{224, top, 440, top + 90},
                              Qelpanel::gtVertical);
    vertical->SetColorStart(clYellow);
    vertical->SetColorEnd(clRed);
    vertical->SetMinIncrement(2);
    vertical->SetCaption("Vertical, lowered, left");
    vertical->SetAlignment(taLeftJustify);
    vertical->SetBevelInner(bvLowered);
    vertical->SetBevelOuter(bvRaised);
    vertical->SetBorderWidth(3);

    auto* conical = Gradient(form, "ConicalGradient", TRect{448, top, 672, top + 90},
                             Qelpanel::gtConical);
    conical->SetColorStart(clNavy);
    conical->SetColorEnd(clAqua);
    conical->SetCaption("Conical, single border, right");
    conical->SetAlignment(taRightJustify);
    conical->SetBorderStyle(bsSingle);
    conical->Font()->SetColor(clWhite);
}

}  // namespace Gallery
