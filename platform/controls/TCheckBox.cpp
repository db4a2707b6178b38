#include "controls/TCheckBox.h"

#include "classes/TClassRegistry.h"
#include "controls/ButtonFace.h"
#include "graphics/Graphics.h"

const TTypeInfo* TypeInfoTCheckBoxState() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TCheckBoxState",
                             "StdCtrls",
                             TOrdType::otUByte,
                             {"cbUnchecked", "cbChecked", "cbGrayed"}};
    return &t;
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csClickEvents});
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
}

void TCheckBox::SetState(TCheckBoxState v) {
    if (v == FState) return;
    FState = v;
    Invalidate();
}

void TCheckBox::Click() {
    switch (FState) {
        case cbUnchecked:
            SetState(FAllowGrayed ? cbGrayed : cbChecked);
            break;
        case cbGrayed:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(cbUnchecked);
            break;
    }
    TCustomControl::Click();
}

void TCheckBox::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) Invalidate();
}

void TCheckBox::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key != VK_SPACE) return;
    key = 0;
    Click();
}

// [x] Caption       the box 13 x 13, centred in the height; the caption 4 pixels right of it,
//    ^^^^^^^^       with the focus frame around it while the box has the focus
void TCheckBox::Paint() {
    TCanvas* canvas = Canvas();
    const TRect client = ClientRect();
    const int top = (client.Height() - kCheckGlyphSize) / 2;
    DrawCheckGlyph(canvas, 0, top, FState != cbUnchecked, Enabled() && FState != cbGrayed);
    canvas->SetFont(Font());
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    const std::string& text = Caption();
    const int textHeight = canvas->TextHeight("W");
    TRect r{kCheckGlyphSize + 4, (client.Height() - textHeight) / 2, client.Right,
            (client.Height() + textHeight) / 2};
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE);
    if (!Focused() || text.empty()) return;
    TRect focus = r;
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &focus,
              DT_SINGLELINE | DT_CALCRECT);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(TRect{focus.Left - 1, focus.Top, focus.Right + 1, focus.Bottom});
}

const TClassInfo& TCheckBox::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using C = TCheckBox;
    static const TClassInfo info{
        "TCheckBox",
        &TCustomControl::StaticClassInfo(),
        "StdCtrls",
        {
            P::Align(),
            Ord("AllowGrayed", TypeInfoBoolean(), &C::AllowGrayed, &C::SetAllowGrayed, 0),
            P::Anchors(),
            P::BiDiMode(),
            P::Caption(),
            // The state is what a form file stores; Checked is the same fact read as a Boolean.
            NotStored(Ord("Checked", TypeInfoBoolean(), &C::Checked, &C::SetChecked, 0)),
            P::Color(clBtnFace),
            P::Constraints(),
            P::Ctl3D(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            P::Font(),
            P::ParentBiDiMode(),
            P::ParentColor(true),
            P::ParentCtl3D(),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            Ord("State", TypeInfoTCheckBoxState(), &C::State, &C::SetState, cbUnchecked),
            P::TabOrder(),
            P::TabStop(true),
            P::Visible(),
            P::OnClick(),
            P::OnEnter(),
            P::OnExit(),
            P::OnKeyDown(),
            P::OnKeyPress(),
            P::OnKeyUp(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TCheckBox(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TCheckBox::StaticClassInfo());
}  // namespace
