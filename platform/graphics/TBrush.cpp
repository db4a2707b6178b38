#include "graphics/TBrush.h"

void TBrush::SetColor(TColor value) {
    FColor = value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    FStyle = value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* value) {
    FBitmap = value;
    Changed();
}

void TBrush::Assign(const TPersistent* source) {
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

const TClassInfo& TBrush::StaticClassInfo() {
    using namespace PropBuild;
    static const TClassInfo info{
        "TBrush",
        &TPersistent::StaticClassInfo(),
        "Graphics",
        {
            Ord("Color", TypeInfoTColor(), &TBrush::Color, &TBrush::SetColor, clWhite),
            Ord("Style", TypeInfoTBrushStyle(), &TBrush::Style, &TBrush::SetStyle, bsSolid),
        },
        nullptr};
    return info;
}
