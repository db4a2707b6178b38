#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"
#include "panels/TTileBitmap.h"
#include "support/TestSupport.h"

using namespace Qelpanel;

namespace {

// A bitmap of one colour with a differently coloured top-left pixel, so that each tile's
// origin shows on the surface.
std::unique_ptr<TBitmap> Tile(int width, int height, TColor color = clRed) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(width, height);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(TRect{0, 0, width, height});
    b->Canvas()->SetPixel(0, 0, clLime);
    return b;
}

struct TTiles : ::testing::Test {
    TTestForm Form{300, 200};
    TCallLog Log;

    TTileBitmap* Add(TRect bounds, int tileWidth = 16, int tileHeight = 16) {
        auto* t = Form.Add(new TTileBitmap(Form.Form.get()), bounds);
        if (tileWidth > 0) t->SetBitmap(Tile(tileWidth, tileHeight).get());
        Form.Render();
        Form.Host->ResetCounts();
        return t;
    }
    // The top-left corners of the tiles one paint draws, in drawing order.
    std::vector<TPoint> TileOrigins(TTileBitmap* t) {
        Paint(t);
        std::vector<TPoint> out;
        for (const TGdiCall& c : Log.Only("Draw")) out.push_back(TPoint{c.Rect.Left, c.Rect.Top});
        return out;
    }
    void Paint(TTileBitmap* t) {
        Form.Host->SetCallLog(t, &Log);
        Log.Clear();
        t->Repaint();
        Form.Host->SetCallLog(t, nullptr);
    }
    static std::vector<TPoint> Grid(int inset, int cols, int rows, int w = 16, int h = 16) {
        std::vector<TPoint> out;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) out.push_back(TPoint{inset + c * w, inset + r * h});
        return out;
    }
};

}  // namespace

TEST_F(TTiles, ConstructorKeepsThePanelDefaults) {
    TTileBitmap t(nullptr);
    EXPECT_EQ(t.Alignment(), taCenter);
    EXPECT_EQ(t.BevelInner(), bvNone);
    EXPECT_EQ(t.BevelOuter(), bvRaised);
    EXPECT_EQ(t.BevelWidth(), 1);
    EXPECT_EQ(t.BorderWidth(), 0);
    EXPECT_EQ(t.BorderStyle(), bsNone);
    EXPECT_EQ(t.Color(), clBtnFace);
    ASSERT_NE(t.Bitmap(), nullptr);
    EXPECT_TRUE(t.Bitmap()->Empty());
}

TEST_F(TTiles, DefaultPanelTilesRowByRow) {
    QM_NEEDS_CALL_LOG();
    TTileBitmap* t = Add(TRect{0, 0, 100, 41});
    EXPECT_EQ(t->TileInset(), 1);
    const std::vector<TPoint> origins = TileOrigins(t);
    EXPECT_EQ(origins.size(), 21u);
    EXPECT_EQ(origins, Grid(1, 7, 3));  // x = 1, 17, ..., 97; y = 1, 17, 33

    // The tiles lie under the raised bevel: highlight on the top edge, tile inside it.
    const TSurface& s = Form.Host->Surface();
    EXPECT_EQ(PixelRGB(s, 10, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelRGB(s, 1, 1), 0x00FF00u);
    EXPECT_EQ(PixelRGB(s, 17, 17), 0x00FF00u);
    EXPECT_EQ(PixelRGB(s, 2, 2), 0xFF0000u);
    EXPECT_EQ(PixelRGB(s, 98, 39), 0xFF0000u);
    EXPECT_EQ(PixelRGB(s, 99, 40), 0x808080u);  // the shadow covers the last row and column
}

TEST_F(TTiles, InsetCountsBevelsAndTheSingleBorder) {
    QM_NEEDS_CALL_LOG();
    TTileBitmap* t = Add(TRect{0, 0, 100, 41});
    t->SetBevelInner(bvLowered);
    t->SetBorderStyle(bsSingle);
    t->SetBorderWidth(4);
    EXPECT_EQ(t->TileInset(), 6);
    // rows = (41 - 12) div 16 = 1, cols = (100 - 12) div 16 = 5, in client coordinates.
    EXPECT_EQ(TileOrigins(t), Grid(6, 6, 2));
}

TEST_F(TTiles, BorderWithoutSingleStyleCoversTheTiles) {
    QM_NEEDS_CALL_LOG();
    TTileBitmap* t = Add(TRect{0, 0, 100, 41});
    t->SetBorderWidth(4);
    EXPECT_EQ(t->TileInset(), 1);
    EXPECT_EQ(TileOrigins(t), Grid(1, 7, 3));
    // The border frame in Color paints over the first four pixels of the tiles.
    const TSurface& s = Form.Host->Surface();
    for (int x = 1; x <= 4; ++x) EXPECT_EQ(PixelRGB(s, x, 20), 0xC0C0C0u) << x;
    EXPECT_EQ(PixelRGB(s, 5, 20), 0xFF0000u);
}

TEST_F(TTiles, RowsAndColumnsFromTheSpaceBetweenTheInsets) {
    QM_NEEDS_CALL_LOG();
    struct TCase {
        const char* What;
        int Height, BevelWidth, TileHeight;
        int Rows;
    };
    for (const TCase& c : {TCase{"taller than the space", 41, 1, 50, 1},
                           TCase{"space -5 still draws a row", 41, 23, 16, 1},
                           TCase{"space -15 still draws a row", 41, 28, 16, 1},
                           TCase{"space -16 draws none", 40, 28, 16, 0},
                           TCase{"space -17 draws none", 41, 29, 16, 0}}) {
        TTileBitmap* t = Add(TRect{0, 0, 100, c.Height}, 16, c.TileHeight);
        t->SetBevelWidth(c.BevelWidth);
        const int inset = c.BevelWidth;
        const int cols = (100 - 2 * inset) / 16 + 1;
        EXPECT_EQ(TileOrigins(t), Grid(inset, cols, c.Rows, 16, c.TileHeight)) << c.What;
        delete t;
    }
}

TEST_F(TTiles, OnlyTheTilesThatMeetTheClipAreDrawnWithThePixelsOfAll) {
    QM_NEEDS_CALL_LOG();
    TTileBitmap* t = Add(TRect{0, 0, 100, 41}, 7, 5);
    const TSurface whole = Form.Host->Surface();
    // Part of the panel repainted over a sentinel comes back as it was, from the tiles there.
    const TRect part{20, 8, 45, 19};
    HDC dc = t->CreateClientContext();
    FillSolidRect(dc, part, static_cast<TColor>(0xEFCDAB));
    t->ReleaseClientContext(dc);
    ASSERT_NE(Form.Host->Surface(), whole);
    Form.Host->SetCallLog(t, &Log);
    Log.Clear();
    t->InvalidateRect(part);
    Form.Render();
    Form.Host->SetCallLog(t, nullptr);
    EXPECT_EQ(Form.Host->Surface(), whole);
    // Columns 2 to 6 (x = 15 .. 49) and rows 1 to 3 (y = 6 .. 21).
    EXPECT_EQ(Log.Only("Draw").size(), 5u * 3u);

    // A one-pixel tile on a panel of 30000 x 30000 in a form of 100 x 100: the tiles inside
    // the form's client area, not 900 million.
    TTestForm small(100, 100);
    auto* huge = small.Add(new TTileBitmap(small.Form.get()), TRect{0, 0, 30000, 30000});
    huge->SetBitmap(Tile(1, 1).get());
    small.Host->SetCallLog(huge, &Log);
    Log.Clear();
    small.Render();
    small.Host->SetCallLog(huge, nullptr);
    EXPECT_EQ(Log.Only("Draw").size(), 99u * 99u);  // inside the one-pixel raised bevel
    EXPECT_EQ(PixelRGB(small.Host->Surface(), 50, 50), 0x00FF00u);
}

TEST_F(TTiles, EmptyBitmapStillGetsFrameAndCaption) {
    QM_NEEDS_CALL_LOG();
    TTileBitmap* t = Add(TRect{0, 0, 100, 41}, 0, 0);
    t->SetCaption("Empty");
    Paint(t);
    EXPECT_TRUE(Log.Only("Draw").empty());
    EXPECT_EQ(Log.Only("FillRect").size(), 1u);  // the framework's erase; Paint fills nothing
    EXPECT_FALSE(Log.Only("LineTo").empty());
    ASSERT_EQ(Log.Only("DrawText").size(), 1u);
    EXPECT_EQ(Log.Only("DrawText")[0].Text, "Empty");
    EXPECT_EQ(Log.Only("DrawText")[0].Flags, 0x45u);
}

TEST_F(TTiles, SetBitmapCopiesAndAlwaysRepaints) {
    TTileBitmap* t = Add(TRect{0, 0, 100, 41});
    TBitmap* own = t->Bitmap();
    auto picture = Tile(8, 8, clBlue);
    t->SetBitmap(picture.get());
    t->SetBitmap(picture.get());
    EXPECT_EQ(Form.Host->InvalidateCount(t), 2);
    EXPECT_EQ(t->Bitmap(), own);
    EXPECT_EQ(t->Bitmap()->Width(), 8);

    // The panel keeps its copy when the caller's picture changes or goes.
    picture->SetSize(4, 4);
    picture.reset();
    EXPECT_EQ(t->Bitmap()->Width(), 8);

    // A change in place repaints nothing by itself; a null bitmap empties the panel's own.
    Form.Host->ResetCounts();
    t->Bitmap()->SetSize(32, 32);
    EXPECT_EQ(Form.Host->InvalidateCount(t), 0);
    t->SetBitmap(nullptr);
    EXPECT_TRUE(t->Bitmap()->Empty());
    EXPECT_EQ(Form.Host->InvalidateCount(t), 1);
}

TEST_F(TTiles, PublishesColourAndBitmap) {
    std::vector<std::string> names;
    for (const TPropInfo* p : GetPropInfos(TTileBitmap::StaticClassInfo()))
        names.push_back(p->Name);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), "Bitmap");
    auto at = [&](const std::string& n) {
        return std::find(names.begin(), names.end(), n) - names.begin();
    };
    EXPECT_LT(at("Caption"), at("Color"));
    EXPECT_LT(at("Color"), at("Ctl3D"));
    EXPECT_LT(at("Locked"), at("ParentColor"));
    EXPECT_LT(at("ParentColor"), at("ParentCtl3D"));
    const TPropInfo* bevelOuter = GetPropInfo(TTileBitmap::StaticClassInfo(), "BevelOuter");
    EXPECT_EQ(bevelOuter->Default, bvRaised);
    const TPropInfo* color = GetPropInfo(TTileBitmap::StaticClassInfo(), "Color");
    EXPECT_EQ(color->Default, clBtnFace);
}

TEST_F(TTiles, FramesAndCaptionsMatchGolden) {
    auto tile = std::make_unique<TBitmap>();
    tile->SetSize(12, 12);
    TCanvas* c = tile->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, 12, 12});
    c->Brush()->SetColor(clTeal);
    c->Pen()->SetColor(clNavy);
    c->Ellipse(2, 2, 10, 10);
    const struct {
        TBevelCut Outer, Inner;
        TBorderStyle Border;
        int BorderWidth;
        TAlignment Align;
    } kinds[] = {{bvRaised, bvNone, bsNone, 0, taCenter},
                 {bvLowered, bvRaised, bsNone, 2, taLeftJustify},
                 {bvNone, bvLowered, bsSingle, 3, taRightJustify},
                 {bvRaised, bvLowered, bsSingle, 0, taCenter}};
    int y = 4;
    for (const auto& k : kinds) {
        auto* t = Form.Add(new TTileBitmap(Form.Form.get()), TRect{4, y, 196, y + 44});
        t->SetBitmap(tile.get());
        t->SetBevelOuter(k.Outer);
        t->SetBevelInner(k.Inner);
        t->SetBevelWidth(2);
        t->SetBorderStyle(k.Border);
        t->SetBorderWidth(k.BorderWidth);
        t->SetAlignment(k.Align);
        t->SetCaption("Tiles");
        t->Font()->SetStyle(TFontStyles{fsBold});
        y += 48;
    }
    EXPECT_TRUE(MatchesGolden(Form.Render(), "panels/tile-bitmaps"));
}
