#include "controls/TSplitter.h"

#include <algorithm>

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

TSplitter::TSplitter(TComponent* owner) : TCustomControl(owner) {
    SetAlign(alLeft);
    SetBounds(Left(), Top(), 3, 100);
}

TControl* TSplitter::Neighbour() const {
    if (!Parent()) return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        const bool touches = Align() == alLeft     ? c->Left() + c->Width() == Left()
                             : Align() == alRight  ? c->Left() == Left() + Width()
                             : Align() == alTop    ? c->Top() + c->Height() == Top()
                             : Align() == alBottom ? c->Top() == Top() + Height()
                                                   : false;
        if (touches) return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    FDragged = Neighbour();
    if (!FDragged) return;
    FStart = Horizontal() ? Top() + y : Left() + x;
    FStartSize = Horizontal() ? FDragged->Height() : FDragged->Width();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FDragged || !Parent()) return;
    const int at = Horizontal() ? Top() + y : Left() + x;
    // Toward the neighbour shrinks it; the other way grows it, as long as the rest of the
    // parent keeps MinSize.
    const int delta = (Align() == alLeft || Align() == alTop) ? at - FStart : FStart - at;
    const int room = Horizontal() ? Parent()->ClientHeight() : Parent()->ClientWidth();
    const int size = std::clamp(FStartSize + delta, FMinSize, std::max(FMinSize, room - FMinSize));
    if (Horizontal())
        FDragged->SetHeight(size);
    else
        FDragged->SetWidth(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft) FDragged = nullptr;
}

const TClassInfo& TSplitter::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using S = TSplitter;
    static const TClassInfo info{
        "TSplitter",
        &TCustomControl::StaticClassInfo(),
        "ExtCtrls",
        {
            [] {
                TPropInfo p = P::Align();
                p.Default = alLeft;
                return p;
            }(),
            P::Color(clBtnFace),
            Ord("MinSize", TypeInfoInteger(), &S::MinSize, &S::SetMinSize, 30),
            P::ParentColor(true),
            P::Visible(),
        },
        [](TComponent* owner) -> TComponent* { return new TSplitter(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TSplitter::StaticClassInfo());
}  // namespace
