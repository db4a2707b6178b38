#include "controls/TCustomPanel.h"

#include <algorithm>
#include <string>

#include "controls/Frame3D.h"
#include "graphics/Graphics.h"

void BevelColors(TBevelCut cut, TColor& topColor, TColor& bottomColor) {
    if (cut == bvLowered) {
        topColor = clBtnShadow;
        bottomColor = clBtnHighlight;
    } else {
        topColor = clBtnHighlight;
        bottomColor = clBtnShadow;
    }
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                  csOpaque, csDoubleClicks, csReplicatable});
    SetBounds(Left(), Top(), 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
    if (v == FBevelInner) return;
    FBevelInner = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
    if (v == FBevelOuter) return;
    FBevelOuter = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
    if (v < 1) v = 1;
    if (v == FBevelWidth) return;
    FBevelWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int v) {
    if (v < 0) v = 0;
    if (v == FBorderWidth) return;
    FBorderWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    RecreateWnd();
    Realign();
}

void TCustomPanel::SetAlignment(TAlignment v) {
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

TRect TCustomPanel::NonClientInsets() const {
    return FBorderStyle == bsSingle ? SingleBorderInsets(Ctl3D(), Width(), Height()) : TRect{};
}

void TCustomPanel::PaintNonClient(HDC dc) {
    if (FBorderStyle == bsSingle) PaintSingleBorder(dc, TRect{0, 0, Width(), Height()}, Ctl3D());
}

void TCustomPanel::PaintBevelFrame(TRect& r) {
    TColor top = 0, bottom = 0;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(Canvas(), r, top, bottom, FBevelWidth);
    }
    Frame3D(Canvas(), r, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(Canvas(), r, top, bottom, FBevelWidth);
    }
}

void TCustomPanel::PaintCaptionText(TRect r) {
    static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const int h = canvas->TextHeight("W");
    r.Top = SaturatedInt((std::int64_t{r.Top} + r.Bottom - h) / 2);
    r.Bottom = SaturatedInt(std::int64_t{r.Top} + h);
    const std::string text = Caption().substr(0, 255);
    DrawTextA(canvas->Handle(), text.c_str(), -1, &r,
              DT_EXPANDTABS | DT_VCENTER | kAlignments[FAlignment]);
}

void TCustomPanel::Paint() {
    TRect r = ClientRect();
    PaintBevelFrame(r);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(r);
    PaintCaptionText(r);
}

const TClassInfo& TCustomPanel::StaticClassInfo() {
    static const TClassInfo info{
        "TCustomPanel", &TCustomControl::StaticClassInfo(), "ExtCtrls", {}, nullptr};
    return info;
}

namespace ControlProps {
using namespace PropBuild;
using P = TCustomPanel;

TPropInfo Alignment() {
    return Ord("Alignment", TypeInfoTAlignment(), &P::Alignment, &P::SetAlignment, taCenter);
}
TPropInfo BevelInner() {
    return Ord("BevelInner", TypeInfoTBevelCut(), &P::BevelInner, &P::SetBevelInner, bvNone);
}
TPropInfo BevelOuter(TBevelCut defaultCut) {
    return Ord("BevelOuter", TypeInfoTBevelCut(), &P::BevelOuter, &P::SetBevelOuter, defaultCut);
}
TPropInfo BevelWidth() {
    return Ord("BevelWidth", TypeInfoTBevelWidth(), &P::BevelWidth, &P::SetBevelWidth, 1);
}
TPropInfo BorderWidth() {
    return Ord("BorderWidth", TypeInfoTBorderWidth(), &P::BorderWidth, &P::SetBorderWidth, 0);
}
TPropInfo BorderStyle() {
    return Ord("BorderStyle", TypeInfoTBorderStyle(), &P::BorderStyle, &P::SetBorderStyle, bsNone);
}
TPropInfo Locked() {
    return Ord("Locked", TypeInfoBoolean(), &P::Locked, &P::SetLocked, 0);
}
}  // namespace ControlProps
