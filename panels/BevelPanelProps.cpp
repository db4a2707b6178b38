#include "panels/BevelPanelProps.h"

namespace Qelpanel {

std::vector<TPropInfo> BevelPanelProps(TBevelCut bevelOuterDefault,
                                       std::optional<TColor> colorDefault,
                                       std::vector<TPropInfo> own) {
    namespace P = ControlProps;
    std::vector<TPropInfo> color, parentColor;
    if (colorDefault) {
        color.push_back(P::Color(*colorDefault));
        parentColor.push_back(P::ParentColor(false));
    }
    return JoinProps({
        {P::Align(), P::Alignment(), P::Anchors(), P::Constraints(), P::BiDiMode(),
         P::ParentBiDiMode(), P::DragMode(), P::DragKind(), P::DragCursor(), P::BevelInner(),
         P::BevelOuter(bevelOuterDefault), P::BevelWidth(), P::BorderWidth(), P::BorderStyle(),
         P::Enabled(), P::Caption()},
        color,
        {P::Ctl3D(), P::Font(), P::Locked()},
        parentColor,
        {P::ParentCtl3D(), P::ParentFont(), P::ParentShowHint(), P::PopupMenu(), P::ShowHint(),
         P::TabOrder(), P::TabStop(false), P::Visible(), P::OnClick(), P::OnDblClick(),
         P::OnDragDrop(), P::OnDragOver(), P::OnEndDrag(), P::OnEnter(), P::OnExit(),
         P::OnMouseDown(), P::OnMouseMove(), P::OnMouseUp(), P::OnResize()},
        own,
    });
}

}  // namespace Qelpanel
