#include "ordered/TOrderedGroupBox.h"

#include <string>

#include "graphics/Graphics.h"
#include "ordered/OrdinalLabel.h"

namespace Qelgroup {

TOrderedGroupBox::TOrderedGroupBox(TComponent* owner) : TGroupBox(owner) {
    FLabelOrder = 1;
    FLabelColor = 0xFF0000;
    FLabelType = ltNumeric;
    FLabelFont = std::make_unique<TFont>();
}

TOrderedGroupBox::~TOrderedGroupBox() {
    FLabelFont.reset();
}

void TOrderedGroupBox::SetLabelOrder(std::int32_t value) {
    if (value == FLabelOrder) return;
    FLabelOrder = value;
    Refresh();
}

void TOrderedGroupBox::SetLabelFont(const TFont* value) {
    if (!value || !LabelFontChanged(*FLabelFont, *value)) return;
    FLabelFont->Assign(value);
    Refresh();
}

void TOrderedGroupBox::SetLabelColor(TColor value) {
    if (value == FLabelColor) return;
    FLabelColor = value;
    Refresh();
}

void TOrderedGroupBox::SetLabelType(TLabelType value) {
    if (value == FLabelType) return;
    FLabelType = value;
    Refresh();
}

// T is the height of "0" in the label font:
//
//   x = 8    T + 10
//     +-------+  Caption -----------------+   y = 0
//     |   1   |                           |   the frame's top line at H / 2 - 1
//     +-------+                           |   y = T + 2
//     |                                   |
//     +-----------------------------------+
//
// The square is drawn over the frame's top line; the caption starts 6 pixels right of it and
// its text cells, on Color, break the line behind it. No background and no pen of its own.
void TOrderedGroupBox::Paint() {
    TCanvas* canvas = Canvas();
    const int h = PaintFrame();
    canvas->SetFont(FLabelFont.get());
    const int t = canvas->TextHeight("0");
    canvas->Brush()->SetColor(FLabelColor);
    canvas->Rectangle(8, 0, t + 10, t + 2);
    DrawOrdinalLabel(canvas, OrdinalLabelText(FLabelOrder, FLabelType), TRect{9, 1, t + 9, t + 1});
    canvas->Brush()->SetColor(Color());
    canvas->SetFont(Font());
    if (Caption().empty()) return;
    // A longer caption is cut to the working copy's length: 255 characters are wider than
    // any group box, and cutting keeps the measured and the drawn text the same.
    PaintCaptionLine(t + 16, h, Caption().substr(0, kMaxCaption));
}

const TClassInfo& TOrderedGroupBox::StaticClassInfo() {
    using namespace PropBuild;
    using G = TOrderedGroupBox;
    static const TClassInfo info{
        "TOrderedGroupBox", &TGroupBox::StaticClassInfo(), "Qelgroup",
        PublishedProps({
            Ord("LabelOrder", TypeInfoInteger(), &G::LabelOrder, &G::SetLabelOrder),
            Obj("LabelFont", TypeInfoClass(TFont::StaticClassInfo()), &G::LabelFont,
                &G::SetLabelFont),
            Ord("LabelColor", TypeInfoTColor(), &G::LabelColor, &G::SetLabelColor),
            Ord("LabelType", TypeInfoTLabelType(), &G::LabelType, &G::SetLabelType),
        }),
        [](TComponent* owner) -> TComponent* { return new TOrderedGroupBox(owner); }};
    return info;
}

}  // namespace Qelgroup
