#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "gdi/TDeviceContext.h"
#include "graphics/TCanvas.h"
#include "text/TFontInstance.h"
#include "win/WinApi.h"

namespace {

constexpr TPixel kSentinel = 0x3CA55A;

struct TCanvasOnSurface {
    TSurface Surface{160, 40, kSentinel};
    TDeviceContext Dc{&Surface};
    TCanvas Canvas;
    TCanvasOnSurface() { Canvas.SetHandle(&Dc); }
    ~TCanvasOnSurface() { Canvas.SetHandle(nullptr); }
    int Count(TPixel p) const {
        int n = 0;
        for (TPixel q : Surface.Pixels()) n += q == p;
        return n;
    }
};

}  // namespace

TEST(CanvasText, MeasuresInTheCanvasFont) {
    TCanvas canvas;
    EXPECT_EQ(canvas.TextHeight("0"), 12);  // MS Sans Serif, 8 points
    EXPECT_EQ(canvas.TextWidth("Caption"), 37);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    canvas.Font()->SetName("Times New Roman");
    canvas.Font()->SetSize(12);
    canvas.Font()->SetStyle(TFontStyles{fsBold, fsItalic});
    EXPECT_EQ(canvas.TextHeight("0"), 17);
    EXPECT_EQ(canvas.TextExtent("Times caption"), (TPoint{91, 17}));
}

TEST(CanvasText, TextOutMovesThePenPastTheText) {
    TCanvasOnSurface s;
    s.Canvas.TextOut(10, 5, "Caption");
    EXPECT_EQ(s.Canvas.PenPos(), (TPoint{47, 5}));
}

TEST(CanvasText, SolidBrushGivesTextAnOpaqueBackground) {
    TCanvasOnSurface s;
    s.Canvas.Brush()->SetColor(clYellow);
    s.Canvas.Font()->SetColor(clBlue);
    s.Canvas.TextOut(0, 0, "Caption");
    const int paper = s.Count(PixelFromColorRef(clYellow));
    const int ink = s.Count(PixelFromColorRef(clBlue));
    EXPECT_GT(ink, 0);
    EXPECT_EQ(paper + ink, 37 * 12);  // the cells, exactly

    TCanvasOnSurface clear;
    clear.Canvas.Brush()->SetStyle(bsClear);
    clear.Canvas.Font()->SetColor(clBlue);
    clear.Canvas.TextOut(0, 0, "Caption");
    EXPECT_EQ(clear.Count(PixelFromColorRef(clBlue)), ink);
    EXPECT_EQ(clear.Count(kSentinel), 160 * 40 - ink);
}

TEST(CanvasText, DrawTextOnTheHandleUsesTheCanvasFontAndBrush) {
    TCanvasOnSurface s;
    s.Canvas.Font()->SetHeight(-13);
    s.Canvas.Brush()->SetStyle(bsClear);
    TRect r{0, 0, 160, 40};
    const int height = DrawTextA(s.Canvas.Handle(), "&Label", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(height, 15);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(s.Canvas.Handle(), &tm));
    EXPECT_EQ(tm.tmHeight, 15);
    EXPECT_EQ(r, (TRect{0, 0, s.Canvas.TextWidth("Label"), 15}));
}

TEST(CanvasText, CanvasFontAssignmentCopies) {
    TCanvas canvas;
    TFont font;
    font.SetName("Courier New");
    canvas.SetFont(&font);
    font.SetName("Arial");
    EXPECT_EQ(canvas.Font()->Name(), "Courier New");
}

// Glyphs are rendered once per face and size, from whichever thread asks first; every thread
// then draws the same pixels.
TEST(TextThreads, ConcurrentDrawingGivesIdenticalPixels) {
    TLogFont lf;
    lf.Name = "Arial";
    lf.Height = -17;  // a size no other test renders, so the cache starts cold
    lf.Italic = true;
    const std::string text = "The quick brown fox jumps over the lazy dog \xC4\xD6\xDC\xDF";
    std::vector<TSurface> results(4, TSurface(400, 30, kSentinel));
    std::vector<std::thread> threads;
    for (TSurface& s : results)
        threads.emplace_back([&] {
            TDeviceContext dc(&s);
            dc.Font = TFontInstance::Get(lf);
            dc.BkMode = TRANSPARENT;
            TRect r = s.Bounds();
            for (int i = 0; i < 20; ++i) DrawTextA(&dc, text.c_str(), -1, &r, DT_SINGLELINE);
        });
    for (std::thread& t : threads) t.join();
    for (const TSurface& s : results) EXPECT_EQ(s, results[0]);
    EXPECT_NE(results[0], TSurface(400, 30, kSentinel));
}

TEST(CanvasText, TextRectClipsAndASolidBrushFillsTheWholeRectangle) {
    TCanvasOnSurface solid;
    solid.Canvas.Brush()->SetColor(clYellow);
    solid.Canvas.Font()->SetColor(clBlue);
    const TRect r{20, 5, 50, 30};
    solid.Canvas.TextRect(r, 10, 8, "Clipped caption");
    int outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 160; ++x) {
            const TPixel p = solid.Surface.At(x, y);
            if (!r.Contains(TPoint{x, y}))
                outside += p != kSentinel;
            else
                EXPECT_TRUE(p == PixelFromColorRef(clYellow) || p == PixelFromColorRef(clBlue));
        }
    EXPECT_EQ(outside, 0);

    TCanvasOnSurface clear;
    clear.Canvas.Brush()->SetStyle(bsClear);
    clear.Canvas.TextRect(r, 10, 8, "Clipped caption");
    EXPECT_EQ(clear.Count(PixelFromColorRef(clYellow)), 0);
    EXPECT_GT(clear.Count(0), 0);  // the window-text colour, black
}
