#include "controls/TSpeedButton.h"

#include "classes/TClassRegistry.h"
#include "controls/ButtonFace.h"
#include "controls/Frame3D.h"
#include "core/SysColors.h"
#include "gdi/TBitmapImage.h"
#include "graphics/Graphics.h"

TSpeedButton::TSpeedButton(TComponent* owner)
    : TCustomControl(owner), FGlyph(std::make_unique<TBitmap>()) {
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetBounds(Left(), Top(), 23, 22);
    FGlyph->OnChange = [this](TGraphicsObject*) {
        FFaceGlyph.reset();
        Invalidate();
    };
}

TSpeedButton::~TSpeedButton() {
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::SetGlyph(const TBitmap* glyph) {
    FGlyph->Assign(glyph);
}

void TSpeedButton::SetDown(bool v) {
    if (v == FDown) return;
    if (!v && FGroupIndex != 0 && !FAllowAllUp) return;
    FDown = v;
    Invalidate();
    if (!v || FGroupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::SetFlat(bool v) {
    if (v == FFlat) return;
    FFlat = v;
    Invalidate();
}

void TSpeedButton::Click() {
    if (FGroupIndex != 0) SetDown(FAllowAllUp ? !FDown : true);
    TCustomControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    FMouseHeld = FPressed = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!FMouseHeld) return;
    const bool inside = ClientRect().Contains(TPoint{x, y});
    if (inside == FPressed) return;
    FPressed = inside;
    Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const bool clicked = button == mbLeft && FMouseHeld && ClientRect().Contains(TPoint{x, y});
    if (button == mbLeft) {
        FMouseHeld = false;
        if (FPressed) Invalidate();
        FPressed = false;
    }
    TCustomControl::MouseUp(button, shift, x, y);
    if (clicked) Click();
}

const TBitmap* TSpeedButton::FaceGlyph() const {
    if (FGlyph->Empty()) return nullptr;
    if (!FFaceGlyph) {
        FFaceGlyph = std::make_unique<TBitmap>();
        FFaceGlyph->Assign(FGlyph.get());
        TBitmapImage image = FFaceGlyph->Image();
        TSurface& pixels = image.Pixels;
        const TPixel transparent = pixels.At(0, pixels.Height() - 1) & 0x00FFFFFF;
        const TPixel face = PixelFromColorRef(ColorToRGB(clBtnFace));
        for (TPixel& p : pixels.Pixels())
            p = (p & 0x00FFFFFF) == transparent ? face : p & 0x00FFFFFF;
        FFaceGlyph->SetImage(image);
    }
    return FFaceGlyph.get();
}

// +-----------------+   raised, or sunken when down or held; flat buttons show no edge
// |     [glyph]     |   when up
// |     caption     |
// +-----------------+
void TSpeedButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    const bool sunken = FDown || FPressed;
    if (FFlat && !sunken) {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(r);
    } else if (sunken) {
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
        canvas->Brush()->SetColor(FDown && !FPressed ? cl3DLight : clBtnFace);
        canvas->FillRect(r);
    } else {
        DrawButtonFace(canvas, r, false);
    }
    if (sunken) OffsetRect(&r, 1, 1);
    const TBitmap* glyph = FaceGlyph();
    canvas->SetFont(Font());
    const std::string& text = Caption();
    const int textHeight = text.empty() ? 0 : canvas->TextHeight(text);
    const int glyphHeight = glyph ? glyph->Height() : 0;
    int top = r.Top + (r.Height() - glyphHeight - textHeight) / 2;
    if (glyph) {
        canvas->Draw(r.Left + (r.Width() - glyph->Width()) / 2, top, glyph);
        top += glyphHeight;
    }
    if (text.empty()) return;
    if (!Enabled()) canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    TRect line{r.Left, top, r.Right, top + textHeight};
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &line,
              DT_CENTER | DT_SINGLELINE);
}

const TClassInfo& TSpeedButton::StaticClassInfo() {
    using namespace PropBuild;
    namespace P = ControlProps;
    using S = TSpeedButton;
    static const TClassInfo info{
        "TSpeedButton",
        &TCustomControl::StaticClassInfo(),
        "Buttons",
        {
            P::Align(),
            Ord("AllowAllUp", TypeInfoBoolean(), &S::AllowAllUp, &S::SetAllowAllUp, 0),
            P::Anchors(),
            P::BiDiMode(),
            P::Constraints(),
            Ord("GroupIndex", TypeInfoInteger(), &S::GroupIndex, &S::SetGroupIndex, 0),
            Ord("Down", TypeInfoBoolean(), &S::Down, &S::SetDown, 0),
            P::Caption(),
            P::Enabled(),
            Ord("Flat", TypeInfoBoolean(), &S::Flat, &S::SetFlat, 0),
            P::Font(),
            Obj("Glyph", TypeInfoClass(TBitmap::StaticClassInfo()), &S::Glyph, &S::SetGlyph),
            P::ParentFont(),
            P::ParentShowHint(),
            P::PopupMenu(),
            P::ShowHint(),
            P::Visible(),
            P::OnClick(),
            P::OnDblClick(),
            P::OnMouseDown(),
            P::OnMouseMove(),
            P::OnMouseUp(),
        },
        [](TComponent* owner) -> TComponent* { return new TSpeedButton(owner); }};
    return info;
}

namespace {
// Known to form files while the library that holds the class is loaded.
const TClassRegistry::TClassRegistration kClass(TSpeedButton::StaticClassInfo());
}  // namespace
