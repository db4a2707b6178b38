// A drawing surface with a brush, a pen and a font, over a device context. The context is
// obtained on demand, so a canvas can be drawn on outside a paint message too. Everything the
// canvas draws goes through the Win32 calls on its context: it makes a GDI pen, brush and font
// from its own TPen, TBrush and TFont when it first needs them after a change, selects them
// into the context, and puts back what the context had when it lets the context go.
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
    // Draws on a context that somebody else owns; null detaches, putting back the objects the
    // context had.
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
    // Makes a context if there is none and selects what is out of date of pen, brush and font;
    // returns false when there is no context.
    bool RequiredState();

private:
    void SelectFont();
    void SelectPen();
    void SelectBrush();
    // Puts the context's own objects back and frees the canvas's.
    void DeselectHandles();

    HDC FHandle = nullptr;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TFont> FFont;
    TPoint FPenPos{};
    // Whether the context's current position is known to be FPenPos: text output moves the
    // canvas's pen without telling the context, and a new context starts elsewhere.
    bool FPenPosInContext = false;

    // What the canvas selected into FHandle (null: out of date, made again on next use) and
    // what the context had before it.
    HFONT FFontHandle = nullptr;
    HPEN FPenHandle = nullptr;
    HBRUSH FBrushHandle = nullptr;
    HFONT FOldFont = nullptr;
    HPEN FOldPen = nullptr;
    HBRUSH FOldBrush = nullptr;
};
