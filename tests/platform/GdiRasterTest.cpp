// The software GDI against real GDI's pixels (the fixtures), and the properties every call
// keeps: fills cover exactly their pixels, and clipping cuts a drawing without changing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "GdiFixture.h"
#include "gdi/Gdi.h"
#include "gdi/TDeviceContext.h"

namespace {

constexpr const char* kFamilies[] = {"rectangles", "ellipses", "lines",    "fills",
                                     "blits",      "regions",  "bitmaps16"};

std::string FixturePath(const std::string& family) {
    return std::string(QM_SOURCE_DIR) + "/tests/fixtures/gdi/" + family + ".txt";
}

struct TFixtureParam {
    std::string Family;
    TGdiFixtureCase Case;
};

std::vector<TFixtureParam> AllFixtureCases() {
    std::vector<TFixtureParam> all;
    for (const char* family : kFamilies) {
        try {
            for (TGdiFixtureCase& c : ReadGdiFixtures(FixturePath(family)))
                all.push_back(TFixtureParam{family, std::move(c)});
        } catch (const std::exception&) {
            // GdiFixtures.EveryFamilyReads reports it.
        }
    }
    return all;
}

std::string ParamName(const ::testing::TestParamInfo<TFixtureParam>& info) {
    std::string name = info.param.Family + "_" + info.param.Case.Name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name + "_" + std::to_string(info.index);
}

class RealGdiPixels : public ::testing::TestWithParam<TFixtureParam> {};

TEST_P(RealGdiPixels, Match) {
    const TGdiFixtureCase& c = GetParam().Case;
    const TSurface actual = ReplayGdiFixture(c);
    const std::string mismatch = DescribeGdiMismatch(c, actual);
    EXPECT_TRUE(mismatch.empty()) << FixturePath(GetParam().Family) << ":" << c.Line << " "
                                  << c.Name << "\n"
                                  <<
        [&] {
            std::string ops;
            for (const std::string& op : c.Ops) ops += "  " + op + "\n";
            return ops;
        }() << mismatch;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RealGdiPixels, ::testing::ValuesIn(AllFixtureCases()),
                         ParamName);

TEST(GdiFixtures, EveryFamilyReads) {
    for (const char* family : kFamilies) {
        std::vector<TGdiFixtureCase> cases;
        ASSERT_NO_THROW(cases = ReadGdiFixtures(FixturePath(family))) << family;
        EXPECT_GT(cases.size(), 10u) << family;
    }
}

// ---- properties -----------------------------------------------------------------------------

constexpr TPixel kSentinel = 0x00123456;
constexpr TColor kInk = 0x0000C0;
constexpr TColor kFill = 0x60E060;

// The pixels a rectangle blit covers along one axis: [a, b), or [b + 1, a + 1) inverted.
bool Covers(int a, int b, int v) {
    return a <= b ? (v >= a && v < b) : (v > b && v <= a);
}

TEST(GdiFillRect, RandomRectanglesFillExactlyTheirPixels) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> coord(-12, 52), originCoord(-6, 6);
    for (int round = 0; round < 400; ++round) {
        TSurface s(40, 30, kSentinel);
        const TPoint origin{originCoord(rng), originCoord(rng)};
        const TRect clip{coord(rng) / 2, coord(rng) / 2, coord(rng), coord(rng)};
        TDeviceContext dc(&s, origin, clip);
        const TRect r{coord(rng), coord(rng), coord(rng), coord(rng)};
        Gdi::FillRect(dc, r, TGdiBrush{BS_SOLID, kFill});
        const TRect visible = IntersectRects(NormalizedRect(clip), s.Bounds());
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) {
                const bool inside = Covers(r.Left + origin.X, r.Right + origin.X, x) &&
                                    Covers(r.Top + origin.Y, r.Bottom + origin.Y, y) &&
                                    visible.Contains(TPoint{x, y});
                ASSERT_EQ(s.At(x, y), inside ? PixelFromColorRef(kFill) : kSentinel)
                    << "round " << round << " at " << x << "," << y;
            }
    }
}

// One random drawing call with a random pen and brush, the same for every surface it is
// replayed on.
struct TRandomDrawing {
    int Kind;
    int A[6];
    TGdiPen Pen;
    TGdiBrush Brush;
    int BkMode;

    void Draw(TDeviceContext& dc) const {
        dc.Pen = Pen;
        dc.Brush = Brush;
        dc.BkMode = BkMode;
        dc.BkColor = 0xC06000;
        switch (Kind) {
            case 0:
                Gdi::Rectangle(dc, A[0], A[1], A[2], A[3]);
                break;
            case 1:
                Gdi::Ellipse(dc, A[0], A[1], A[2], A[3]);
                break;
            case 2:
                Gdi::MoveTo(dc, A[0], A[1]);
                Gdi::LineTo(dc, A[2], A[3]);
                break;
            case 3:
                Gdi::Polyline(dc, {{A[0], A[1]}, {A[2], A[3]}, {A[4], A[5]}, {A[1], A[4]}});
                break;
            case 4:
                Gdi::DrawFocusRect(dc, TRect{A[0], A[1], A[2], A[3]});
                break;
            case 5:
                Gdi::StretchBitmap(dc, TRect{A[0], A[1], A[2], A[3]},
                                   GdiFixtureBitmap(1 + A[4] % 20 + 20, 1 + A[5] % 20 + 20));
                break;
            case 6:
                Gdi::FrameRect(dc, TRect{A[0], A[1], A[2], A[3]}, Brush);
                break;
            default:
                Gdi::DrawBitmap(dc, A[0], A[1], GdiFixtureBitmap(A[4] % 30 + 30, 17));
                break;
        }
    }
};

TRandomDrawing RandomDrawing(std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 7), coord(-40, 100), style(0, 6), width(1, 5);
    TRandomDrawing d{};
    d.Kind = kind(rng);
    for (int& a : d.A) a = coord(rng);
    int penStyle = style(rng);
    if (penStyle == 3 || penStyle == 4) penStyle = 1;
    d.Pen = TGdiPen{penStyle, rng() % 3 == 0 ? width(rng) : 1, kInk};
    d.Brush = TGdiBrush{rng() % 4 == 0 ? BS_NULL : BS_SOLID, kFill};
    d.BkMode = rng() % 2 ? kBkModeOpaque : 1;
    return d;
}

// Drawn through a clip, a call changes nothing outside it and, inside it, exactly what it
// changes unclipped: clipping never moves a line's pixels or a dash pattern's phase.
TEST(GdiClipping, CutsADrawingWithoutChangingIt) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-5, 70), originCoord(-8, 8);
    for (int round = 0; round < 1500; ++round) {
        const TRandomDrawing drawing = RandomDrawing(rng);
        const TPoint origin{originCoord(rng), originCoord(rng)};
        TSurface whole(64, 48, kSentinel), cut(64, 48, kSentinel);
        TDeviceContext unclipped(&whole, origin, whole.Bounds());
        drawing.Draw(unclipped);
        const TRect clip = NormalizedRect(TRect{coord(rng), coord(rng), coord(rng), coord(rng)});
        TDeviceContext clipped(&cut, origin, clip);
        drawing.Draw(clipped);
        for (int y = 0; y < cut.Height(); ++y)
            for (int x = 0; x < cut.Width(); ++x) {
                const bool inside = clip.Contains(TPoint{x, y});
                ASSERT_EQ(cut.At(x, y), inside ? whole.At(x, y) : kSentinel)
                    << "round " << round << " kind " << drawing.Kind << " pen style "
                    << drawing.Pen.Style << " width " << drawing.Pen.Width << " at " << x << ","
                    << y;
            }
    }
}

// Shapes far larger than the surface, or far away from it, cost only what is visible.
TEST(GdiClipping, HugeShapesDrawOnlyTheirVisiblePart) {
    TSurface s(30, 20, kSentinel);
    TDeviceContext dc(&s);
    dc.Brush = TGdiBrush{BS_SOLID, kFill};
    dc.Pen = TGdiPen{PS_NULL, 1, kInk};
    Gdi::Ellipse(dc, -2000000, -1000000, 2000030, 1000020);
    EXPECT_EQ(s.At(0, 0), PixelFromColorRef(kFill));
    EXPECT_EQ(s.At(29, 19), PixelFromColorRef(kFill));

    dc.Pen = TGdiPen{PS_DASH, 1, kInk};
    Gdi::MoveTo(dc, -2000000000, -2000000000);
    Gdi::LineTo(dc, 2000000000, 2000000000);
    EXPECT_EQ(s.At(5, 5), PixelFromColorRef(kInk)) << "the diagonal passes through (5, 5)";
    Gdi::FillRect(dc, TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, dc.Brush);
    EXPECT_EQ(s.At(5, 5), PixelFromColorRef(kFill));
    Gdi::FillRect(dc, TRect{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN}, TGdiBrush{BS_SOLID, kInk});
    EXPECT_EQ(s.At(5, 5), PixelFromColorRef(kInk)) << "inverted, it still covers the surface";
    Gdi::StretchBitmap(dc, TRect{-1000000000, -1000000000, 1000000000, 1000000000},
                       GdiFixtureBitmap(14, 14));
    EXPECT_EQ(s.At(0, 0), PixelFromColorRef(GdiFixtureBitmapColor(7, 7)));
}

TEST(GdiFocusRect, DrawnTwiceRestoresThePixels) {
    std::mt19937 rng(99);
    std::uniform_int_distribution<int> coord(-5, 35);
    for (int round = 0; round < 200; ++round) {
        TSurface s(30, 25, kSentinel);
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) s.Set(x, y, static_cast<TPixel>(rng() & 0xFFFFFF));
        const TSurface before = s;
        TDeviceContext dc(&s);
        const TRect r{coord(rng), coord(rng), coord(rng), coord(rng)};
        Gdi::DrawFocusRect(dc, r);
        Gdi::DrawFocusRect(dc, r);
        ASSERT_EQ(s, before) << "round " << round;
    }
}

}  // namespace
