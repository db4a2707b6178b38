#include "controls/TButton.h"

#include "classes/TClassRegistry.h"
#include "controls/ButtonFace.h"
#include "graphics/Graphics.h"

TButton::TButton(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
}

void TButton::SetPushed(bool pushed) {
    if (pushed == FPushed) return;
    FPushed = pushed;
    Invalidate();
}

void TButton::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) {
        if (message.Msg == WM_KILLFOCUS) {
            FSpaceHeld = false;
            SetPushed(FMouseHeld);
        }
        Invalidate();
    }
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    FMouseHeld = true;
    SetPushed(true);
}

void TButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (FMouseHeld) SetPushed(ClientRect().Contains(TPoint{x, y}));
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool clicked = button == mbLeft && FMouseHeld && ClientRect().Contains(TPoint{x, y});
    if (button == mbLeft) FMouseHeld = false;
    SetPushed(FSpaceHeld);
    TCustomControl::MouseUp(button, shift, x, y);
    if (clicked) Click();
}

void TButton::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        FSpaceHeld = true;
        SetPushed(true);
        key = 0;
    } else if (key == VK_RETURN) {
        key = 0;
        Click();
    }
}

void TButton::KeyUp(WORD& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE && FSpaceHeld) {
        FSpaceHeld = false;
        SetPushed(FMouseHeld);
        key = 0;
        Click();
    }
}

void TButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    DrawButtonFace(canvas, r, FPushed);
    if (FPushed) OffsetRect(&r, 1, 1);
    canvas->SetFont(Font());
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    const std::string& text = Caption();
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        const TRect client = ClientRect();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->DrawFocusRect(
            TRect{client.Left + 4, client.Top + 4, client.Right - 4, client.Bottom - 4});
    }
}

const TClassInfo& TButton::StaticClassInfo() {
    namespace P = ControlProps;
    static const TClassInfo info{
        "TButton",
        &TCustomControl::StaticClassInfo(),
        "StdCtrls",
        {
            P::Align(),          P::Anchors(),     P::BiDiMode(),       P::Caption(),
            P::Constraints(),    P::DragCursor(),  P::DragKind(),       P::DragMode(),
            P::Enabled(),        P::Font(),        P::ParentBiDiMode(), P::ParentFont(),
            P::ParentShowHint(), P::PopupMenu(),   P::ShowHint(),       P::TabOrder(),
            P::TabStop(true),    P::Visible(),     P::OnClick(),        P::OnEnter(),
            P::OnExit(),         P::OnKeyDown(),   P::OnKeyPress(),     P::OnKeyUp(),
            P::OnMouseDown(),    P::OnMouseMove(), P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TButton(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TButton::StaticClassInfo());
}  // namespace
