#include "panels/TQELGradient.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "graphics/Graphics.h"
#include "panels/BevelPanelProps.h"

namespace Qelpanel {
namespace {

int Channel(TColor c, int shift) {
    return static_cast<int>((ColorBits(c) >> shift) & 0xFF);
}

// Round to nearest with halves to even, in extended precision.
long long RoundHalfEven(long double v) {
    return std::llrint(v);
}

}  // namespace

int LargestChannelDifference(TColor a, TColor b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d = std::max(d, std::abs(Channel(b, shift) - Channel(a, shift)));
    return d;
}

TColor InterpolateColor(TColor from, TColor to, double f) {
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const int a = Channel(from, shift);
        const int delta = Channel(to, shift) - a;
        const long long v =
            RoundHalfEven(static_cast<long double>(a) +
                          static_cast<long double>(delta) * static_cast<long double>(f));
        out |= static_cast<std::uint32_t>(v & 0xFF) << shift;
    }
    return static_cast<TColor>(out);
}

TQELGradient::TQELGradient(TComponent* owner) : TCustomPanel(owner) {
    FColorStart = 0;
    FColorEnd = 0xFF0000;
    FGradientType = gtHorizontal;
    FMinIncrement = 4;
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
}

TQELGradient::~TQELGradient() = default;

void TQELGradient::SetColorStart(TColor value) {
    if (value == FColorStart) return;
    FColorStart = value;
    Invalidate();
}

void TQELGradient::SetColorEnd(TColor value) {
    if (value == FColorEnd) return;
    FColorEnd = value;
    Invalidate();
}

void TQELGradient::SetGradientType(TGradientType value) {
    if (value == FGradientType) return;
    FGradientType = value;
    Invalidate();
}

void TQELGradient::SetMinIncrement(std::int32_t value) {
    if (value == FMinIncrement || value <= 0) return;
    FMinIncrement = value;
    Invalidate();
}

void TQELGradient::Paint() {
    const int d = LargestChannelDifference(FColorStart, FColorEnd);
    if (FGradientType == gtConical) {
        if (Width() / 2 == 0 || Height() / 2 == 0) return;  // no ring, frame or caption
        PaintRings(d);
    } else if (FGradientType == gtHorizontal || FGradientType == gtVertical) {
        PaintBands(d);
    }
    TRect r = ClientRect();
    PaintBevelFrame(r);
    PaintCaptionText(r);
}

// One FillRect a band, each band one colour step wide but never narrower than MinIncrement,
// laid out over the control's bounds from the client origin; the canvas clips the last one.
void TQELGradient::PaintBands(int d) {
    const bool horizontal = FGradientType == gtHorizontal;
    const int extent = horizontal ? Width() : Height();
    int w = d == 0 ? extent : extent / d;
    if (w < FMinIncrement) w = FMinIncrement;
    TCanvas* canvas = Canvas();
    for (long long pos = 0; pos < extent; pos += w) {
        const double f = static_cast<double>(pos) / extent;
        canvas->Brush()->SetColor(InterpolateColor(FColorStart, FColorEnd, f));
        const int from = static_cast<int>(pos);
        const int to = static_cast<int>(std::min<long long>(pos + w, INT_MAX));
        canvas->FillRect(horizontal ? TRect{from, 0, to, Height()} : TRect{0, from, Width(), to});
    }
}

// Filled circles without outline from the one through the corners inward, each over the last;
// the outermost has ColorStart, and the colour runs toward ColorEnd as the radius shrinks.
void TQELGradient::PaintRings(int d) {
    const int cx = Width() / 2, cy = Height() / 2;
    // The sum of squares is formed in 64 bits, so that no size can overflow it.
    const long long squares = static_cast<long long>(cx) * cx + static_cast<long long>(cy) * cy;
    const int radius =
        static_cast<int>(RoundHalfEven(std::sqrt(static_cast<long double>(squares))));
    int s = d == 0 ? radius : radius / d;
    if (s < FMinIncrement) s = FMinIncrement;
    TCanvas* canvas = Canvas();
    const TPenStyle savedStyle = canvas->Pen()->Style();
    for (int e = radius; e > 0; e -= s) {
        const double f = static_cast<double>(e) / radius;
        canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetColor(InterpolateColor(FColorEnd, FColorStart, f));
        // Corners beyond what an int holds saturate: such a circle is drawn within those
        // limits instead of as large as the sizes make it.
        canvas->Ellipse(SaturatedInt(std::int64_t{cx} - e), SaturatedInt(std::int64_t{cy} - e),
                        SaturatedInt(std::int64_t{cx} + e), SaturatedInt(std::int64_t{cy} + e));
    }
    canvas->Pen()->SetStyle(savedStyle);
}

const TTypeInfo* TypeInfoTGradientType() {
    static const TTypeInfo t{TTypeKind::tkEnumeration,
                             "TGradientType",
                             "Qelpanel",
                             TOrdType::otUByte,
                             {"gtConical", "gtHorizontal", "gtVertical"}};
    return &t;
}

const TClassInfo& TQELGradient::StaticClassInfo() {
    using namespace PropBuild;
    using G = TQELGradient;
    static const TClassInfo info{
        "TQELGradient", &TCustomPanel::StaticClassInfo(), "Qelpanel",
        BevelPanelProps(
            bvNone, std::nullopt,
            {
                Ord("ColorStart", TypeInfoTColor(), &G::ColorStart, &G::SetColorStart, 0),
                Ord("ColorEnd", TypeInfoTColor(), &G::ColorEnd, &G::SetColorEnd, 0xFF0000),
                Ord("GradientType", TypeInfoTGradientType(), &G::GradientType, &G::SetGradientType,
                    gtHorizontal),
                Ord("MinIncrement", TypeInfoInteger(), &G::MinIncrement, &G::SetMinIncrement, 4),
            }),
        [](TComponent* owner) -> TComponent* { return new TQELGradient(owner); }};
    return info;
}

}  // namespace Qelpanel
