#include "controls/TPanel.h"

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

const TClassInfo& TPanel::StaticClassInfo() {
    namespace P = ControlProps;
    static const TClassInfo info{
        "TPanel",
        &TCustomPanel::StaticClassInfo(),
        "ExtCtrls",
        {
            P::Align(),
            P::Alignment(),
            P::Anchors(),
            P::BevelInner(),
            P::BevelOuter(bvRaised),
            P::BevelWidth(),
            P::BiDiMode(),
            P::BorderWidth(),
            P::BorderStyle(),
            P::Caption(),
            P::Color(clBtnFace),
            P::Constraints(),
            P::Ctl3D(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            P::Font(),
            P::Locked(),
            P::ParentBiDiMode(),
            P::ParentColor(false),
            P::ParentCtl3D(),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            P::TabOrder(),
            P::TabStop(false),
            P::Visible(),
            P::OnClick(),
            P::OnDblClick(),
            P::OnDragDrop(),
            P::OnDragOver(),
            P::OnEndDrag(),
            P::OnEnter(),
            P::OnExit(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
            P::OnResize(),
        },
        [](TComponent* owner) -> TComponent* { return new TPanel(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TPanel::StaticClassInfo());
}  // namespace
