#include "panels/TTileBitmap.h"

#include <cstdint>

#include "panels/BevelPanelProps.h"

namespace Qelpanel {

TTileBitmap::TTileBitmap(TComponent* owner)
    : TCustomPanel(owner), FBitmap(std::make_unique<TBitmap>()) {}

// The bitmap goes with the member, before the inherited destructor runs.
TTileBitmap::~TTileBitmap() = default;

void TTileBitmap::SetBitmap(const TBitmap* value) {
    FBitmap->Assign(value);
    Invalidate();
}

int TTileBitmap::TileInset() const {
    int inset = 0;
    if (BevelInner() != bvNone) inset += BevelWidth();
    if (BevelOuter() != bvNone) inset += BevelWidth();
    if (BorderStyle() == bsSingle) inset += BorderWidth();
    return inset;
}

// The tiles fill nothing in between: where none lies, the panel shows what was there before.
void TTileBitmap::Paint() {
    TRect r = ClientRect();
    if (FBitmap->Height() > 0 && FBitmap->Width() > 0) PaintTiles();
    PaintBevelFrame(r);
    PaintCaptionText(r);
}

// (rows + 1) x (cols + 1) tiles from (inset, inset), row by row, each row from the left. The
// counts come from the bounds, not the client area, so the last row and column reach into the
// frame or past the edge, where the frames and the clip cover them:
//
//   (inset, inset)
//      +----+----+----+--
//      |    |    |    |   rows = (Height - 2 inset) div bitmap height
//      +----+----+----+--
//      |    |    |    |   cols = (Width - 2 inset) div bitmap width
void TTileBitmap::PaintTiles() {
    // In 64 bits, so that no size of panel or bevel overflows the layout.
    const std::int64_t inset = TileInset();
    const std::int64_t w = FBitmap->Width(), h = FBitmap->Height();
    const std::int64_t rows = (Height() - 2 * inset) / h;
    const std::int64_t cols = (Width() - 2 * inset) / w;
    if (rows < 0 || cols < 0) return;
    TCanvas* canvas = Canvas();
    for (std::int64_t row = 0; row <= rows; ++row)
        for (std::int64_t col = 0; col <= cols; ++col)
            canvas->Draw(static_cast<int>(inset + col * w), static_cast<int>(inset + row * h),
                         FBitmap.get());
}

const TClassInfo& TTileBitmap::StaticClassInfo() {
    using namespace PropBuild;
    using T = TTileBitmap;
    static const TClassInfo info{
        "TTileBitmap", &TCustomPanel::StaticClassInfo(), "Qelpanel",
        BevelPanelProps(
            bvRaised, clBtnFace,
            {Obj("Bitmap", TypeInfoClass(TBitmap::StaticClassInfo()), &T::Bitmap, &T::SetBitmap)}),
        [](TComponent* owner) -> TComponent* { return new TTileBitmap(owner); }};
    return info;
}

}  // namespace Qelpanel
