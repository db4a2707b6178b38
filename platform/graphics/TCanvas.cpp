#include "graphics/TCanvas.h"

#include "core/SysColors.h"
#include "gdi/Gdi.h"
#include "graphics/TBitmap.h"
#include "text/TFontInstance.h"
#include "text/TextOut.h"

TCanvas::TCanvas()
    : FBrush(std::make_unique<TBrush>()),
      FPen(std::make_unique<TPen>()),
      FFont(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
    RequiredState();
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    FHandle = dc;
    if (dc) dc->CurrentPosition = FPenPos;
}

bool TCanvas::RequiredState() {
    if (!FHandle) CreateHandle();
    if (!FHandle) return false;
    TDeviceContext& dc = *FHandle;
    dc.Pen = TGdiPen{FPen->Style() == psClear ? PS_NULL : static_cast<int>(FPen->Style()),
                     FPen->Width(), FPen->Color()};
    dc.Brush = TGdiBrush{FBrush->Style() == bsClear ? BS_NULL : BS_SOLID, FBrush->Color()};
    dc.Font = FFont->Handle();
    dc.TextColor = FFont->Color();
    dc.BkColor = FBrush->Color();
    dc.BkMode = FBrush->Style() == bsSolid ? OPAQUE : TRANSPARENT;
    dc.CurrentPosition = FPenPos;
    return true;
}

void TCanvas::FillRect(const TRect& r) {
    if (!RequiredState()) return;
    Gdi::FillRect(*FHandle, r, FHandle->Brush);
}

void TCanvas::FrameRect(const TRect& r) {
    if (!RequiredState()) return;
    Gdi::FrameRect(*FHandle, r, FHandle->Brush);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (!RequiredState()) return;
    Gdi::Rectangle(*FHandle, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (!RequiredState()) return;
    Gdi::Ellipse(*FHandle, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = TPoint{x, y};
    if (!RequiredState()) return;
    Gdi::MoveTo(*FHandle, x, y);
}

void TCanvas::LineTo(int x, int y) {
    if (RequiredState()) Gdi::LineTo(*FHandle, x, y);
    FPenPos = TPoint{x, y};
}

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || !RequiredState()) return;
    Gdi::DrawBitmap(*FHandle, x, y, *bitmap->Image());
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || !RequiredState()) return;
    Gdi::StretchBitmap(*FHandle, r, *bitmap->Image());
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (RequiredState())
        Text::TextOut(*FHandle, x, y, text.data(), static_cast<int>(text.size()));
    FPenPos = TPoint{x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    if (!RequiredState()) return;
    // Clipped to r; a solid brush fills all of r behind the text.
    const unsigned options = Text::ETO_CLIPPED | (FBrush->Style() != bsClear ? Text::ETO_OPAQUE : 0);
    Text::ExtTextOut(*FHandle, x, y, options, &r, text.data(), static_cast<int>(text.size()));
}

TPoint TCanvas::TextExtent(const std::string& text) {
    auto font = FFont->Handle();
    return TPoint{font->TextWidth(text.data(), static_cast<int>(text.size())),
                  font->Metrics().tmHeight};
}

int TCanvas::TextWidth(const std::string& text) { return TextExtent(text).X; }

int TCanvas::TextHeight(const std::string& text) { return TextExtent(text).Y; }

void TCanvas::DrawFocusRect(const TRect& r) {
    if (!RequiredState()) return;
    Gdi::DrawFocusRect(*FHandle, r);
}

TColor TCanvas::Pixel(int x, int y) {
    if (!RequiredState()) return -1;
    const TPoint p = FHandle->ToDevice(TPoint{x, y});
    if (!FHandle->DeviceClip().Contains(p)) return -1;
    return static_cast<TColor>(ColorRefFromPixel(FHandle->Surface()->At(p.X, p.Y)));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (!RequiredState()) return;
    Gdi::SetPixel(*FHandle, x, y, color);
}

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo info{"TCanvas", &TPersistent::StaticClassInfo(), "Graphics", {},
                                 nullptr};
    return info;
}
