#include "glyphlists/GlyphItemRules.h"

#include <climits>
#include <cstdlib>

#include "graphics/Graphics.h"

namespace Qellist {

namespace {
constexpr int kSmallestFont = 13;
constexpr int kReplacementFontHeight = 15;
constexpr int kFontMargin = 4;
constexpr int kBoxArea = 16;
}  // namespace

void OpenItem(TCanvas& canvas, TColor color, const TRect& rect, TOwnerDrawState state) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetStyle(psSolid);
    canvas.Brush()->SetColor(color);
    canvas.FillRect(rect);
    const TColor ink =
        state.Contains(odGrayed) || state.Contains(odDisabled) ? kGrayInk : kBlackInk;
    canvas.Pen()->SetColor(ink);
    canvas.Font()->SetColor(ink);
}

TPoint BoxOrigin(const TRect& rect, int itemHeight) {
    const int shift = itemHeight > kBoxArea ? (itemHeight - kBoxArea) / 2 : 0;
    return TPoint{rect.Left, rect.Top + shift};
}

void ApplyFontRule(TCustomListBox& list, int atLeast) {
    // Formed in 64 bits: the magnitude of the most negative height does not fit an int.
    const long long h = std::llabs(static_cast<long long>(list.Font()->Height()));
    if (h > kSmallestFont) {
        const long long height = h + kFontMargin;
        if (height > atLeast)
            list.SetItemHeight(static_cast<int>(std::min<long long>(height, INT_MAX)));
        return;
    }
    list.Font()->SetHeight(kReplacementFontHeight);
    list.SetItemHeight(kReplacementFontHeight);
}

void SwitchCheckStyle(TControl& list, TCheckStyle& field, TCheckStyle value) {
    if (value == field) return;
    field = value;
    list.SetColor(value == chsDraw3D ? clBtnFace : clWindow);
}

std::vector<TPropInfo> GlyphListLeadingProps() {
    namespace C = ControlProps;
    return {C::Align(),    C::Anchors(),        C::Constraints(),
            C::BiDiMode(), C::ParentBiDiMode(), C::DragMode(),
            C::DragKind(), C::DragCursor(),     ListBoxProps::BorderStyle()};
}

std::vector<TPropInfo> GlyphListTrailingProps() {
    namespace C = ControlProps;
    namespace L = ListBoxProps;
    return {L::ParentColor(), C::ParentCtl3D(), C::ParentFont(), C::ParentShowHint(),
            C::PopupMenu(),   C::ShowHint(),    L::Sorted(),     C::TabOrder(),
            C::Visible(),     C::OnClick(),     C::OnDblClick(), C::OnDragDrop(),
            C::OnDragOver(),  C::OnEndDrag(),   C::OnEnter(),    C::OnExit(),
            C::OnKeyDown(),   C::OnKeyPress(),  C::OnKeyUp(),    L::OnMeasureItem(),
            C::OnMouseDown(), C::OnMouseMove(), C::OnMouseUp()};
}

std::vector<TPropInfo> CheckStyleListProps(TPropInfo checkBoxStyle) {
    namespace C = ControlProps;
    namespace L = ListBoxProps;
    return JoinProps({{std::move(checkBoxStyle)},
                      GlyphListLeadingProps(),
                      {L::Color(), L::Columns(), C::Ctl3D(), C::Enabled(), C::Font(),
                       L::IntegralHeight(), L::ItemHeight(), L::Items()},
                      GlyphListTrailingProps()});
}

}  // namespace Qellist
