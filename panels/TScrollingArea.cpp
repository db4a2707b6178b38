#include "panels/TScrollingArea.h"

#include <string>

#include "graphics/Graphics.h"

namespace Qelpanel {
namespace {

// The offset arithmetic wraps around in 32 bits, so that a caption that keeps moving right
// (a negative step) runs on instead of overflowing.
std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

TScrollingArea::TScrollingArea(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csDesignInteractive, csSetCaption});
    FScrollTimer = new TTimer(this);
    FScrollTimer->SetInterval(100);
    FScrollTimer->OnTimer = [this](TPersistent* sender) { ShiftText(sender); };
    FTextOffset = Width();  // the width before this constructor sets it
    FScrollStep = 2;
    SetHeight(18);
    SetWidth(80);
}

TScrollingArea::~TScrollingArea() {
    // No tick can arrive once the timer is gone.
    delete FScrollTimer;
    FScrollTimer = nullptr;
}

bool TScrollingArea::GetEnabled() const {
    return FScrollTimer && FScrollTimer->Enabled();
}

void TScrollingArea::SetEnabled(bool value) {
    if (FScrollTimer && value != FScrollTimer->Enabled()) FScrollTimer->SetEnabled(value);
}

std::uint16_t TScrollingArea::GetInterval() const {
    return static_cast<std::uint16_t>(FScrollTimer->Interval() & 0xFFFF);
}

void TScrollingArea::SetInterval(std::uint16_t value) {
    if (static_cast<std::uint32_t>(value) != FScrollTimer->Interval())
        FScrollTimer->SetInterval(value);
}

void TScrollingArea::CalcTextWidth() {
    Canvas()->SetFont(Font());
    FTextWidth = Canvas()->TextWidth(Caption());
}

void TScrollingArea::Loaded() {
    TCustomControl::Loaded();
    CalcTextWidth();
    FTextOffset = WrapAdd(Width(), FTextWidth);
}

void TScrollingArea::Dispatch(TMessage& message) {
    if (message.Msg == WM_SIZE) {
        WMSize(message);
        return;
    }
    TCustomControl::Dispatch(message);
}

// A new size starts the caption again from just beyond the right edge.
void TScrollingArea::WMSize(TMessage& message) {
    CalcTextWidth();
    FTextOffset = WrapAdd(Width(), FTextWidth);
    TCustomControl::WMSize(message);
}

void TScrollingArea::ShiftText(TPersistent*) {
    if (Caption().empty()) return;
    FTextOffset = WrapSub(FTextOffset, FScrollStep);
    // Once the right end is less than one step from the left edge, the caption starts again
    // with its left edge at the right edge.
    if (FTextOffset < FScrollStep) FTextOffset = WrapAdd(Width(), FTextWidth);
    Paint();
}

// The caption's right end sits at the text offset, one "W" high and centred vertically; it
// is clipped to the strip on both sides:
//
//   (0,0)                                                    (Width,0)
//     +---------------------------------------------------------+
//     |          [caption........]                              |  top = (H - h) div 2
//     +---------------------------------------------------------+
//               ^ offset - text width  ^ offset
void TScrollingArea::Paint() {
    CalcTextWidth();
    TCanvas* canvas = Canvas();
    TRect r = GetClientRect();
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const int h = canvas->TextHeight("W");
    r.Top = (r.Top + r.Bottom - h) / 2;
    r.Bottom = r.Top + h;
    r.Left = WrapSub(WrapAdd(r.Left, FTextOffset), FTextWidth);
    const std::string text = Caption().substr(0, 255);
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_EXPANDTABS | DT_VCENTER);
    if (ComponentState().Contains(csDesigning)) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetStyle(psDash);
        canvas->Pen()->SetColor(clBlack);
        canvas->Rectangle(0, 0, Width(), Height());
    }
}

const TClassInfo& TScrollingArea::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using S = TScrollingArea;
    static const TClassInfo info{
        "TScrollingArea",
        &TCustomControl::StaticClassInfo(),
        "Qelpanel",
        {
            P::Align(),
            P::Anchors(),
            P::Constraints(),
            P::BiDiMode(),
            P::ParentBiDiMode(),
            P::DragMode(),
            P::DragKind(),
            P::DragCursor(),
            P::Caption(),
            P::Font(),
            P::ShowHint(),
            P::ParentShowHint(),
            Ord("ScrollStep", TypeInfoInteger(), &S::ScrollStep, &S::SetScrollStep),
            Ord("Enabled", TypeInfoBoolean(), &S::GetEnabled, &S::SetEnabled),
            Ord("Interval", TypeInfoWord(), &S::GetInterval, &S::SetInterval),
        },
        [](TComponent* owner) -> TComponent* { return new TScrollingArea(owner); }};
    return info;
}

}  // namespace Qelpanel
