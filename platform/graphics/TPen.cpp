#include "graphics/TPen.h"

void TPen::SetColor(TColor value) {
    FColor = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 0) return;
    FWidth = value;
    Changed();
}

void TPen::SetMode(TPenMode value) {
    FMode = value;
    Changed();
}

void TPen::Assign(const TPersistent* source) {
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        FColor = p->FColor;
        FStyle = p->FStyle;
        FWidth = p->FWidth;
        FMode = p->FMode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

const TClassInfo& TPen::StaticClassInfo() {
    using namespace PropBuild;
    static const TClassInfo info{
        "TPen",
        &TPersistent::StaticClassInfo(),
        "Graphics",
        {
            Ord("Color", TypeInfoTColor(), &TPen::Color, &TPen::SetColor, clBlack),
            Ord("Mode", TypeInfoTPenMode(), &TPen::Mode, &TPen::SetMode, pmCopy),
            Ord("Style", TypeInfoTPenStyle(), &TPen::Style, &TPen::SetStyle, psSolid),
            Ord("Width", TypeInfoInteger(), &TPen::Width, &TPen::SetWidth, 1),
        },
        nullptr};
    return info;
}
