#include <gtest/gtest.h>

#include "controls/TControlCanvas.h"
#include "controls/TCustomControl.h"
#include "controls/TCustomPanel.h"
#include "graphics/Graphics.h"
#include "support/TestSupport.h"

namespace {

// A control that paints nothing in paint messages and fills itself when asked, outside them.
class TDirectPainter : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    void FillNow(TColor color) {
        Canvas()->Brush()->SetColor(color);
        Canvas()->FillRect(TRect{-1000, -1000, 1000, 1000});
    }
};

constexpr TColor kInk = clRed;

struct TDirectPaint : ::testing::Test {
    TTestForm Form{200, 100};

    // The rectangle of surface pixels that hold the ink, or empty.
    TRect InkedArea() {
        const TSurface& s = Form.Host->Surface();
        TRect r{};
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x)
                if (PixelRGB(s, x, y) == 0xFF0000) r = UnionRects(r, TRect{x, y, x + 1, y + 1});
        return r;
    }
    void Clear() { Form.Host->PaintAll(); }
};

}  // namespace

TEST_F(TDirectPaint, FollowsMovesAndResizes) {
    auto* c = Form.Add(new TDirectPainter(Form.Form.get()), TRect{10, 10, 40, 30});
    Form.Render();
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{10, 10, 40, 30}));

    Clear();
    c->SetBounds(50, 20, 30, 20);
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{50, 20, 80, 40}));

    Clear();
    c->SetBounds(50, 20, 10, 5);
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{50, 20, 60, 25}));
}

TEST_F(TDirectPaint, FollowsItsParentAndStaysInsideIt) {
    auto* panel = Form.Add(new TCustomPanel(Form.Form.get()), TRect{20, 20, 100, 60});
    auto* c = new TDirectPainter(Form.Form.get());
    c->SetBounds(70, 5, 50, 10);  // reaches 10 pixels past the panel's right edge
    c->SetParent(panel);
    Form.Render();
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{90, 25, 100, 35}));

    Clear();
    panel->SetBounds(0, 50, 100, 40);
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{70, 55, 100, 65}));
}

TEST_F(TDirectPaint, WorksOnceShownAfterDrawingBefore) {
    TForm form(nullptr);
    form.SetClientWidth(100);
    form.SetClientHeight(50);
    auto* c = new TDirectPainter(&form);
    c->SetBounds(5, 5, 20, 10);
    c->SetParent(&form);
    c->FillNow(kInk);  // no window yet: draws nowhere
    THeadlessHost host(&form);
    c->FillNow(kInk);
    EXPECT_EQ(PixelRGB(host.Surface(), 5, 5), 0xFF0000u);
    EXPECT_EQ(PixelRGB(host.Surface(), 24, 14), 0xFF0000u);
    EXPECT_NE(PixelRGB(host.Surface(), 25, 15), 0xFF0000u);
}

TEST_F(TDirectPaint, DrawsNothingWhileHidden) {
    auto* c = Form.Add(new TDirectPainter(Form.Form.get()), TRect{10, 10, 40, 30});
    Form.Render();
    c->FillNow(clBlue);
    c->SetVisible(false);
    Form.Render();
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), TRect{});

    c->SetVisible(true);
    c->FillNow(kInk);
    EXPECT_EQ(InkedArea(), (TRect{10, 10, 40, 30}));
}
