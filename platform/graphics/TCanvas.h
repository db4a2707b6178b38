// A drawing surface with a brush, a pen and a font, over a device context. The context is
// obtained on demand, so a canvas can be drawn on outside a paint message too.
#pragma once

#include <memory>
#include <string>

#include "graphics/TBrush.h"
#include "graphics/TFont.h"
#include "graphics/TPen.h"
#include "win/WinApi.h"

class TBitmap;

class TCanvas : public TPersistent {
    DECLARE_CLASSINFO()

public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TBrush* Brush() const { return FBrush.get(); }
    TPen* Pen() const { return FPen.get(); }
    TFont* Font() const { return FFont.get(); }
    // Assignment copies into the canvas's own objects.
    void SetBrush(const TBrush* brush) { FBrush->Assign(brush); }
    void SetPen(const TPen* pen) { FPen->Assign(pen); }
    void SetFont(const TFont* font) { FFont->Assign(font); }

    // The device context with the canvas's pen, brush and font selected into it.
    HDC Handle();
    // Draws on a context that somebody else owns; null detaches.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }
    // The context the canvas draws on now, without making one.
    HDC CurrentHandle() const { return FHandle; }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Draw(int x, int y, const TBitmap* bitmap);
    void StretchDraw(const TRect& r, const TBitmap* bitmap);
    void TextOut(int x, int y, const std::string& text);
    // Text clipped to r, with its cells' top-left at (x, y); a solid brush fills r behind it.
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    TPoint TextExtent(const std::string& text);
    void DrawFocusRect(const TRect& r);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

protected:
    // Descendants that can make a context on demand make it here and pass it to SetHandle.
    virtual void CreateHandle() {}
    // Selects pen, brush and font into the context; returns false when there is none.
    bool RequiredState();

private:
    HDC FHandle = nullptr;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TFont> FFont;
    TPoint FPenPos{};
};
