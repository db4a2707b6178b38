#include "controls/TListBox.h"

#include "classes/TClassRegistry.h"

const TClassInfo& TListBox::StaticClassInfo() {
    namespace C = ControlProps;
    namespace L = ListBoxProps;
    static const TClassInfo info{
        "TListBox",
        &TCustomListBox::StaticClassInfo(),
        "StdCtrls",
        {
            C::Align(),          C::Anchors(),     C::BiDiMode(),       L::BorderStyle(),
            L::Color(),          L::Columns(),     C::Constraints(),    C::Ctl3D(),
            C::DragCursor(),     C::DragKind(),    C::DragMode(),       C::Enabled(),
            L::ExtendedSelect(), C::Font(),        L::IntegralHeight(), L::ItemHeight(),
            L::Items(),          L::MultiSelect(), C::ParentBiDiMode(), L::ParentColor(),
            C::ParentCtl3D(),    C::ParentFont(),  C::ParentShowHint(), C::PopupMenu(),
            C::ShowHint(),       L::Sorted(),      L::Style(),          C::TabOrder(),
            L::TabStop(),        L::TabWidth(),    C::Visible(),        C::OnClick(),
            C::OnDblClick(),     C::OnDragDrop(),  C::OnDragOver(),     L::OnDrawItem(),
            C::OnEndDrag(),      C::OnEnter(),     C::OnExit(),         C::OnKeyDown(),
            C::OnKeyPress(),     C::OnKeyUp(),     L::OnMeasureItem(),  C::OnMouseDown(),
            C::OnMouseMove(),    C::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TListBox(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TListBox::StaticClassInfo());
}  // namespace
