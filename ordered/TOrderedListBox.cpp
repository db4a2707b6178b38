#include "ordered/TOrderedListBox.h"

#include "graphics/Graphics.h"
#include "ordered/OrdinalLabel.h"

namespace Qelgroup {

TOrderedListBox::TOrderedListBox(TComponent* owner) : TListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
    FLabelFont = std::make_unique<TFont>();
    FLabelFont->SetName("Arial");
    FLabelFont->SetColor(clWhite);
    FLabelFont->SetStyle(TFontStyles{fsBold, fsItalic});
    FLabelColor = 0xFF0000;
    FLabelType = ltNumeric;
}

TOrderedListBox::~TOrderedListBox() {
    FLabelFont.reset();
}

void TOrderedListBox::SetLabelColor(TColor value) {
    FLabelColor = value;
    Refresh();
}

void TOrderedListBox::SetLabelFont(const TFont* value) {
    if (!value) return;
    FLabelFont->Assign(value);
    Refresh();
}

void TOrderedListBox::SetLabelType(TLabelType value) {
    FLabelType = value;
    Refresh();
}

// IH is the item height:
//
//   (L, T)      L + IH
//     +--------+ item text, drawn by the list box ..........
//     |   12   | in Color, or in the selection colours
//     +--------+ ...........................................
//              (L + IH, B)
//
// The square keeps LabelColor whether or not the item is selected. Its text is IH - 4 pixels
// high (font height 4 - IH) whatever the size of LabelFont.
void TOrderedListBox::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
    TCanvas* canvas = Canvas();
    const int ih = ItemHeight();
    canvas->Brush()->SetColor(FLabelColor);
    const TColor pen = canvas->Pen()->Color();
    canvas->Pen()->SetColor(FLabelColor);
    canvas->Rectangle(rect.Left, rect.Top, rect.Left + ih, rect.Bottom);
    canvas->SetFont(FLabelFont.get());
    canvas->Font()->SetHeight(4 - ih);
    DrawOrdinalLabel(canvas, OrdinalLabelText(index + 1, FLabelType),
                     TRect{rect.Left + 1, rect.Top + 1, rect.Left + ih - 1, rect.Bottom - 1});
    canvas->Brush()->SetColor(Color());
    canvas->Pen()->SetColor(pen);
    canvas->SetFont(Font());
    if (state.Contains(odSelected)) {
        canvas->Brush()->SetColor(clHighlight);
        canvas->Font()->SetColor(clHighlightText);
    }
    TRect item = rect;
    item.Left = rect.Left + ih;
    TListBox::DrawItem(index, item, state);
}

const TClassInfo& TOrderedListBox::StaticClassInfo() {
    using namespace PropBuild;
    using L = TOrderedListBox;
    static const TClassInfo info{
        "TOrderedListBox", &TListBox::StaticClassInfo(), "Qelgroup",
        PublishedProps({
            Ord("LabelColor", TypeInfoTColor(), &L::LabelColor, &L::SetLabelColor),
            Obj("LabelFont", TypeInfoClass(TFont::StaticClassInfo()), &L::LabelFont,
                &L::SetLabelFont),
            Ord("LabelType", TypeInfoTLabelType(), &L::LabelType, &L::SetLabelType),
        }),
        [](TComponent* owner) -> TComponent* { return new TOrderedListBox(owner); }};
    return info;
}

}  // namespace Qelgroup
