#include "panels/TTileBitmap.h"

#include <algorithm>
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

std::int64_t TTileBitmap::TileInset() const {
    std::int64_t inset = 0;
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
//
// Only the tiles that meet the clip are drawn; the others would leave no pixel.
void TTileBitmap::PaintTiles() {
    // In 64 bits, so that no size of panel or bevel overflows the layout.
    const std::int64_t inset = TileInset();
    const std::int64_t w = FBitmap->Width(), h = FBitmap->Height();
    const std::int64_t rows = (Height() - 2 * inset) / h;
    const std::int64_t cols = (Width() - 2 * inset) / w;
    if (rows < 0 || cols < 0) return;
    TCanvas* canvas = Canvas();
    TRect clip{};
    if (GetClipBox(canvas->Handle(), &clip) != SIMPLEREGION) return;
    // The tile that holds a coordinate, on one axis: floor((c - inset) / size).
    auto tileAt = [&](std::int64_t c, std::int64_t size) {
        const std::int64_t d = c - inset;
        return d >= 0 ? d / size : -((-d + size - 1) / size);
    };
    const std::int64_t firstRow = std::max<std::int64_t>(0, tileAt(clip.Top, h));
    const std::int64_t lastRow = std::min(rows, tileAt(std::int64_t{clip.Bottom} - 1, h));
    const std::int64_t firstCol = std::max<std::int64_t>(0, tileAt(clip.Left, w));
    const std::int64_t lastCol = std::min(cols, tileAt(std::int64_t{clip.Right} - 1, w));
    for (std::int64_t row = firstRow; row <= lastRow; ++row)
        for (std::int64_t col = firstCol; col <= lastCol; ++col)
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
