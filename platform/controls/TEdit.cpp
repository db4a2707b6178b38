#include "controls/TEdit.h"

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

const TClassInfo& TEdit::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    namespace E = EditProps;
    using C = TEdit;
    static const TClassInfo info{
        "TEdit",
        &TCustomEdit::StaticClassInfo(),
        "StdCtrls",
        {
            P::Anchors(),
            E::AutoSelect(),
            E::BorderStyle(),
            P::Color(clWindow),
            P::Constraints(),
            P::Ctl3D(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            P::Font(),
            E::MaxLength(),
            P::ParentColor(false),
            P::ParentCtl3D(),
            P::ParentFont(),
            P::ParentShowHint(),
            Ord("PasswordChar", TypeInfoChar(), &C::PasswordChar, &C::SetPasswordChar, 0),
            P::PopupMenu(),
            E::ReadOnly(),
            P::ShowHint(),
            P::TabOrder(),
            P::TabStop(true),
            Str("Text", TypeInfoCaption(), &C::Text, &C::SetText),
            P::Visible(),
            E::OnChange(),
            P::OnClick(),
            P::OnDblClick(),
            P::OnEnter(),
            P::OnExit(),
            P::OnKeyDown(),
            P::OnKeyPress(),
            P::OnKeyUp(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TEdit(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TEdit::StaticClassInfo());
}  // namespace
