#include "controls/TGroupBox.h"

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"
#include "win/WinApi.h"

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 185, 105);
}

void TGroupBox::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    // The caption's height decides where the children start.
    if (message.Msg == CM_FONTCHANGED || message.Msg == CM_CTL3DCHANGED) Realign();
}

int TGroupBox::PaintFrame() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const int h = canvas->TextHeight("0");
    TRect frame{0, h / 2 - 1, Width(), Height()};
    if (Ctl3D()) {
        frame.Left += 1;
        frame.Top += 1;
        canvas->Brush()->SetColor(clBtnHighlight);
        canvas->FrameRect(frame);
        OffsetRect(&frame, -1, -1);
        canvas->Brush()->SetColor(clBtnShadow);
    } else {
        canvas->Brush()->SetColor(clWindowFrame);
    }
    canvas->FrameRect(frame);
    return h;
}

void TGroupBox::PaintCaptionLine(int left, int textHeight, const std::string& text) {
    TCanvas* canvas = Canvas();
    const int length = static_cast<int>(text.size());
    TRect r{left, 0, 0, textHeight};
    DrawTextA(canvas->Handle(), text.c_str(), length, &r, DT_SINGLELINE | DT_CALCRECT);
    canvas->Brush()->SetColor(Color());
    DrawTextA(canvas->Handle(), text.c_str(), length, &r, DT_SINGLELINE);
}

void TGroupBox::Paint() {
    const int h = PaintFrame();
    if (!Caption().empty()) PaintCaptionLine(8, h, Caption());
}

void TGroupBox::AlignControls(TControl* control, TRect& rect) {
    Canvas()->SetFont(Font());
    rect.Top += Canvas()->TextHeight("0");
    const int inset = Ctl3D() ? 2 : 1;
    rect = TRect{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
    TCustomControl::AlignControls(control, rect);
}

const TClassInfo& TGroupBox::StaticClassInfo() {
    namespace P = ControlProps;
    static const TClassInfo info{
        "TGroupBox",
        &TCustomControl::StaticClassInfo(),
        "StdCtrls",
        {
            P::Align(),          P::Anchors(),         P::BiDiMode(),    P::Caption(),
            P::Color(clWindow),  P::Constraints(),     P::Ctl3D(),       P::DragCursor(),
            P::DragKind(),       P::DragMode(),        P::Enabled(),     P::Font(),
            P::ParentBiDiMode(), P::ParentColor(true), P::ParentCtl3D(), P::ParentFont(),
            P::ParentShowHint(), P::PopupMenu(),       P::ShowHint(),    P::TabOrder(),
            P::TabStop(false),   P::Visible(),         P::OnClick(),     P::OnDblClick(),
            P::OnDragDrop(),     P::OnDragOver(),      P::OnEndDrag(),   P::OnEnter(),
            P::OnExit(),         P::OnMouseDown(),     P::OnMouseMove(), P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TGroupBox(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TGroupBox::StaticClassInfo());
}  // namespace
