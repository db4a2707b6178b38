#include "controls/TForm.h"

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"
#include "text/TFontInstance.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 435, 300);
}

int TForm::TextHeight() const { return Font()->Handle()->Metrics().tmHeight; }

const TClassInfo& TForm::StaticClassInfo() {
    using namespace PropBuild;
    using namespace ControlProps;
    using F = TForm;
    static const TClassInfo info{
        "TForm",
        &TWinControl::StaticClassInfo(),
        "Forms",
        {
            NotStored(Ord("Width", TypeInfoInteger(), &F::Width, &F::SetWidth)),
            NotStored(Ord("Height", TypeInfoInteger(), &F::Height, &F::SetHeight)),
            ControlProps::Caption(),
            Ord("ClientHeight", TypeInfoInteger(), &F::ClientHeightValue, &F::SetClientHeightValue),
            Ord("ClientWidth", TypeInfoInteger(), &F::ClientWidthValue, &F::SetClientWidthValue),
            ControlProps::Color(clBtnFace),
            ControlProps::Font(),
            ControlProps::ParentFont(),
            Ord("OldCreateOrder", TypeInfoBoolean(), &F::OldCreateOrder, &F::SetOldCreateOrder),
            Ord("PixelsPerInch", TypeInfoInteger(), &F::PixelsPerInch, &F::SetPixelsPerInch),
            Ord("TextHeight", TypeInfoInteger(), &F::TextHeight, &F::SetTextHeight),
        },
        [](TComponent* owner) -> TComponent* { return new TForm(owner); }};
    return info;
}
