#include "graphics/TCanvas.h"

#include "graphics/TBitmap.h"

namespace {

// An object of the canvas's goes out of the context before it is freed (the system does not
// free an object that is selected), and what the context had goes back in.
template <class THandle>
void Release(HDC dc, THandle& mine, THandle previous) {
    if (!mine) return;
    SelectObject(dc, previous);
    DeleteObject(mine);
    mine = nullptr;
}

#ifdef _WIN32
// The system's GDI keeps coordinates within 27 bits and refuses a shape beyond them; Wine's
// instead walks such an ellipse's whole outline, longer than any test waits. The canvas
// refuses it first, as the system does.
bool WithinGdiCoordinates(int x1, int y1, int x2, int y2) {
    constexpr int kLimit = 1 << 27;
    for (const int v : {x1, y1, x2, y2})
        if (v < -kLimit || v >= kLimit) return false;
    return true;
}
#endif

}  // namespace

TCanvas::TCanvas()
    : FBrush(std::make_unique<TBrush>()),
      FPen(std::make_unique<TPen>()),
      FFont(std::make_unique<TFont>()) {
    // A change makes the GDI object out of date; the next drawing call makes it again.
    FFont->OnChange = [this](TGraphicsObject*) { Release(FHandle, FFontHandle, FOldFont); };
    FPen->OnChange = [this](TGraphicsObject*) { Release(FHandle, FPenHandle, FOldPen); };
    FBrush->OnChange = [this](TGraphicsObject*) { Release(FHandle, FBrushHandle, FOldBrush); };
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
}

HDC TCanvas::Handle() {
    RequiredState();
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectHandles();
    FHandle = dc;
    FPenPosInContext = false;
}

void TCanvas::DeselectHandles() {
    Release(FHandle, FFontHandle, FOldFont);
    Release(FHandle, FPenHandle, FOldPen);
    Release(FHandle, FBrushHandle, FOldBrush);
}

bool TCanvas::RequiredState() {
    if (!FHandle) CreateHandle();
    if (!FHandle) return false;
    if (!FFontHandle) SelectFont();
    if (!FPenHandle) SelectPen();
    if (!FBrushHandle) SelectBrush();
    return true;
}

void TCanvas::SelectFont() {
    const LOGFONTA font = FFont->LogFontA();
    FFontHandle = CreateFontIndirectA(&font);
    FOldFont = SelectObject(FHandle, FFontHandle);
    SetTextColor(FHandle, GdiColor(FFont->Color()));
}

void TCanvas::SelectPen() {
    const int style = FPen->Style() == psClear ? PS_NULL : static_cast<int>(FPen->Style());
    FPenHandle = CreatePen(style, FPen->Width(), GdiColor(FPen->Color()));
    FOldPen = SelectObject(FHandle, FPenHandle);
}

// A brush with a bitmap repeats the bitmap; otherwise it is solid, or hollow when clear. The
// gaps of styled pens and the cells of text take the brush's colour when it is solid.
void TCanvas::SelectBrush() {
    TBitmap* pattern = FBrush->Bitmap();
    if (pattern && !pattern->Empty()) {
        FBrushHandle = CreatePatternBrush(pattern->Handle());
    } else if (FBrush->Style() == bsClear) {
        const LOGBRUSH hollow{BS_NULL, 0, 0};
        FBrushHandle = CreateBrushIndirect(&hollow);
    } else {
        FBrushHandle = CreateSolidBrush(GdiColor(FBrush->Color()));
    }
    FOldBrush = SelectObject(FHandle, FBrushHandle);
    SetBkColor(FHandle, GdiColor(FBrush->Color()));
    SetBkMode(FHandle, FBrush->Style() == bsClear ? TRANSPARENT : OPAQUE);
}

void TCanvas::FillRect(const TRect& r) {
    if (RequiredState()) ::FillRect(FHandle, &r, FBrushHandle);
}

void TCanvas::FrameRect(const TRect& r) {
    if (RequiredState()) ::FrameRect(FHandle, &r, FBrushHandle);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (RequiredState()) ::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
#ifdef _WIN32
    if (!WithinGdiCoordinates(x1, y1, x2, y2)) return;
#endif
    if (RequiredState()) ::Ellipse(FHandle, x1, y1, x2, y2);
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = TPoint{x, y};
    if (!RequiredState()) return;
    MoveToEx(FHandle, x, y, nullptr);
    FPenPosInContext = true;
}

void TCanvas::LineTo(int x, int y) {
    if (RequiredState()) {
        if (!FPenPosInContext) MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
        ::LineTo(FHandle, x, y);
        FPenPosInContext = true;
    }
    FPenPos = TPoint{x, y};
}

namespace {

// A bitmap is blitted from a memory context it is selected into, as the system blits one: its
// own canvas's. The blit only reads it.
HDC SourceContext(const TBitmap* bitmap) {
    return const_cast<TBitmap*>(bitmap)->Canvas()->Handle();
}

}  // namespace

void TCanvas::Draw(int x, int y, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || !RequiredState()) return;
    BitBlt(FHandle, x, y, bitmap->Width(), bitmap->Height(), SourceContext(bitmap), 0, 0, SRCCOPY);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty() || !RequiredState()) return;
    SetStretchBltMode(FHandle, COLORONCOLOR);
    StretchBlt(FHandle, r.Left, r.Top, r.Width(), r.Height(), SourceContext(bitmap), 0, 0,
               bitmap->Width(), bitmap->Height(), SRCCOPY);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    if (RequiredState()) TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
    FPenPos = TPoint{x + TextWidth(text), y};
    FPenPosInContext = false;
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    if (!RequiredState()) return;
    // Clipped to r; a solid brush fills all of r behind the text.
    const UINT options = ETO_CLIPPED | (FBrush->Style() != bsClear ? ETO_OPAQUE : 0);
    ExtTextOutA(FHandle, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

// Measured on the canvas's context, or on a memory context when the canvas can make none.
TPoint TCanvas::TextExtent(const std::string& text) {
    SIZE size{0, 0};
    const int n = static_cast<int>(text.size());
    if (RequiredState()) {
        GetTextExtentPoint32A(FHandle, text.data(), n, &size);
    } else {
        HDC dc = CreateCompatibleDC(nullptr);
        const LOGFONTA logFont = FFont->LogFontA();
        HFONT font = CreateFontIndirectA(&logFont);
        HFONT old = SelectObject(dc, font);
        GetTextExtentPoint32A(dc, text.data(), n, &size);
        SelectObject(dc, old);
        DeleteObject(font);
        DeleteDC(dc);
    }
    return TPoint{size.cx, size.cy};
}

int TCanvas::TextWidth(const std::string& text) {
    return TextExtent(text).X;
}

int TCanvas::TextHeight(const std::string& text) {
    return TextExtent(text).Y;
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (RequiredState()) ::DrawFocusRect(FHandle, &r);
}

TColor TCanvas::Pixel(int x, int y) {
    if (!RequiredState()) return -1;
    const COLORREF c = GetPixel(FHandle, x, y);
    return c == CLR_INVALID ? -1 : static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (RequiredState()) ::SetPixel(FHandle, x, y, GdiColor(color));
}

const TClassInfo& TCanvas::StaticClassInfo() {
    static const TClassInfo info{
        "TCanvas", &TPersistent::StaticClassInfo(), "Graphics", {}, nullptr};
    return info;
}
