#include "controls/TLabel.h"

#include <algorithm>
#include <string>

#include "classes/TClassRegistry.h"
#include "graphics/Graphics.h"

const TTypeInfo* TypeInfoTTextLayout() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TTextLayout",
                             "StdCtrls",
                             TOrdType::otUByte,
                             {"tlTop", "tlCenter", "tlBottom"}};
    return &t;
}

TLabel::TLabel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csReplicatable});
    SetBounds(Left(), Top(), 65, 17);
}

void TLabel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

void TLabel::SetAutoSize(bool v) {
    if (v == FAutoSize) return;
    FAutoSize = v;
    AdjustBounds();
}

void TLabel::SetLayout(TTextLayout v) {
    if (v == FLayout) return;
    FLayout = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    if (v == FWordWrap) return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

UINT TLabel::TextFormat() const {
    static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    return DT_EXPANDTABS | kAlignments[FAlignment] | (FWordWrap ? DT_WORDBREAK : 0);
}

void TLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    const std::string text = Caption().empty() ? std::string(" ") : Caption();
    TRect r{0, 0, FWordWrap ? Width() : 0, 0};
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              TextFormat() | DT_CALCRECT);
    SetBounds(Left(), Top(), FWordWrap ? Width() : r.Width(), r.Height());
}

void TLabel::Dispatch(TMessage& message) {
    TCustomControl::Dispatch(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TLabel::Loaded() {
    TCustomControl::Loaded();
    AdjustBounds();
}

void TLabel::Paint() {
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    const std::string& text = Caption();
    TRect r = ClientRect();
    if (FLayout != tlTop) {
        TRect measured = r;
        DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &measured,
                  TextFormat() | DT_CALCRECT);
        const int h = measured.Height();
        r.Top = FLayout == tlCenter ? (r.Top + r.Bottom - h) / 2 : r.Bottom - h;
    }
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r, TextFormat());
}

const TClassInfo& TLabel::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using L = TLabel;
    static const TClassInfo info{
        "TLabel",
        &TCustomControl::StaticClassInfo(),
        "StdCtrls",
        {
            P::Align(),
            Ord("Alignment", TypeInfoTAlignment(), &L::Alignment, &L::SetAlignment, taLeftJustify),
            P::Anchors(),
            Ord("AutoSize", TypeInfoBoolean(), &L::AutoSize, &L::SetAutoSize, 1),
            P::BiDiMode(),
            P::Caption(),
            P::Color(clBtnFace),
            P::Constraints(),
            P::DragCursor(),
            P::DragKind(),
            P::DragMode(),
            P::Enabled(),
            P::Font(),
            Ord("Layout", TypeInfoTTextLayout(), &L::Layout, &L::SetLayout, tlTop),
            P::ParentBiDiMode(),
            P::ParentColor(true),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            P::Visible(),
            Ord("WordWrap", TypeInfoBoolean(), &L::WordWrap, &L::SetWordWrap, 0),
            P::OnClick(),
            P::OnDblClick(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TLabel(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TLabel::StaticClassInfo());
}  // namespace
