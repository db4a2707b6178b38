// The framework's 3-D frame: any width paints what drawing every one of its frames paints,
// in as many calls as the clip can show frames.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "controls/Frame3D.h"
#include "gdi/TDeviceContext.h"
#include "graphics/Graphics.h"
#include "graphics/TCanvas.h"

namespace {

constexpr TPixel kSentinel = 0x00ABCDEF;

// The frames drawn one by one, every one of them.
void EveryFrame(TCanvas& canvas, TRect& rect, TColor top, TColor bottom, int width) {
    canvas.Pen()->SetWidth(1);
    rect.Bottom -= 1;
    rect.Right -= 1;
    for (; width > 0; --width) {
        canvas.Pen()->SetColor(top);
        canvas.MoveTo(rect.Left, rect.Bottom);
        canvas.LineTo(rect.Left, rect.Top);
        canvas.LineTo(rect.Right, rect.Top);
        canvas.Pen()->SetColor(bottom);
        canvas.MoveTo(rect.Right, rect.Top);
        canvas.LineTo(rect.Right, rect.Bottom);
        canvas.LineTo(rect.Left - 1, rect.Bottom);
        rect = TRect{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
    rect.Bottom += 1;
    rect.Right += 1;
}

struct TDrawn {
    TSurface Pixels;
    TRect Rect;
    TPoint PenPos;
    TColor PenColor;
    int Calls;
};

template <class F>
TDrawn Draw(TRect rect, TPoint origin, TRect clip, F frame, bool logged = true) {
    TSurface surface(48, 40, kSentinel);
    TDeviceContext dc(&surface, origin, clip);
    TCallLog log;
    dc.Log = logged ? &log : nullptr;
    TCanvas canvas;
    canvas.SetHandle(&dc);
    frame(canvas, rect);
    return TDrawn{surface, rect, canvas.PenPos(), canvas.Pen()->Color(),
                  static_cast<int>(log.Calls().size())};
}

}  // namespace

TEST(Frame3DWidth, AnyWidthPaintsWhatEveryFramePaints) {
    std::mt19937 random(17);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int n = 0; n < 400; ++n) {
        const TRect rect{between(-30, 40), between(-30, 40), between(-20, 70), between(-20, 70)};
        const TPoint origin{between(-10, 10), between(-10, 10)};
        const TRect clip =
            NormalizedRect(TRect{between(0, 48), between(0, 40), between(0, 48), between(0, 40)});
        const int width = n % 10 == 0 ? between(1000, INT_MAX) : between(0, 110);
        SCOPED_TRACE(::testing::Message()
                     << "rect " << rect.Left << "," << rect.Top << "," << rect.Right << ","
                     << rect.Bottom << " width " << width << " clip " << clip.Left << ","
                     << clip.Top << "," << clip.Right << "," << clip.Bottom);
        const TDrawn bounded = Draw(rect, origin, clip, [&](TCanvas& c, TRect& r) {
            Frame3D(&c, r, clRed, clBlue, width);
        });
        // Past 100 frames every line of these rectangles lies beyond the surface.
        const TDrawn every = Draw(
            rect, origin, clip,
            [&](TCanvas& c, TRect& r) { EveryFrame(c, r, clRed, clBlue, std::min(width, 100)); },
            false);
        ASSERT_EQ(bounded.Pixels, every.Pixels);
        // Six calls a frame and a move of the pen at the end; the frames that meet the clip
        // have a line in one of its columns or rows.
        EXPECT_LE(bounded.Calls, 6 * 2 * (clip.Width() + clip.Height()) + 1);
        EXPECT_EQ(bounded.PenColor, every.PenColor);
        if (width <= 100) {
            EXPECT_EQ(bounded.Rect, every.Rect);
            EXPECT_EQ(bounded.PenPos, every.PenPos);
        } else {
            using I = std::int64_t;
            const TRect& r = bounded.Rect;
            const I left = I{rect.Left} + width, right = I{rect.Right} - width;
            const I top = I{rect.Top} + width, bottom = I{rect.Bottom} - width;
            if (std::max(left, top) <= INT_MAX && std::min(right, bottom) >= INT_MIN) {
                EXPECT_EQ(r, (TRect{SaturatedInt(left), SaturatedInt(top), SaturatedInt(right),
                                    SaturatedInt(bottom)}));
            } else {
                // Shrunk as far as an int holds the sides: the middle stays, and the
                // rectangle is turned inside out far beyond any surface.
                EXPECT_EQ(I{r.Left} + r.Right, I{rect.Left} + rect.Right);
                EXPECT_EQ(I{r.Top} + r.Bottom, I{rect.Top} + rect.Bottom);
                EXPECT_GT(I{r.Left} - r.Right, I{1} << 30);
                EXPECT_GT(I{r.Top} - r.Bottom, I{1} << 30);
            }
            EXPECT_EQ(bounded.PenPos, (TPoint{SaturatedInt(I{rect.Left} + width - 2),
                                              SaturatedInt(I{rect.Bottom} - width)}));
        }
    }
}

TEST(Frame3DWidth, NoClipDrawsNothingButLeavesThePenAsTheFramesWould) {
    const TDrawn drawn = Draw(TRect{0, 0, 20, 10}, TPoint{}, TRect{},
                              [](TCanvas& c, TRect& r) { Frame3D(&c, r, clRed, clBlue, 3); });
    EXPECT_EQ(drawn.Pixels, TSurface(48, 40, kSentinel));
    EXPECT_EQ(drawn.Rect, (TRect{3, 3, 17, 7}));
    EXPECT_EQ(drawn.PenPos, (TPoint{1, 7}));
    EXPECT_EQ(drawn.PenColor, clBlue);
}
