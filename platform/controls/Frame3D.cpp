#include "controls/Frame3D.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/TCanvas.h"

namespace {

struct TFrameRange {
    std::int64_t First;  // the first frame of the range
    std::int64_t End;    // one past its last
};

// The frames among 0 .. count - 1 that can touch a pixel of clip. Frame k has its left and
// top lines at left + k and top + k, its right and bottom lines at right - k and bottom - k;
// it can show only where one of those falls inside clip. Frames past what the rectangle
// holds turn inside out and grow outward again, until all four lines lie beyond the clip.
std::vector<TFrameRange> VisibleFrames(std::int64_t left, std::int64_t top, std::int64_t right,
                                       std::int64_t bottom, std::int64_t count, const TRect& clip) {
    std::vector<TFrameRange> ranges = {
        {clip.Left - left, clip.Right - left},
        {clip.Top - top, clip.Bottom - top},
        {right - clip.Right + 1, right - clip.Left + 1},
        {bottom - clip.Bottom + 1, bottom - clip.Top + 1},
    };
    for (TFrameRange& r : ranges) r = {std::max<std::int64_t>(r.First, 0), std::min(r.End, count)};
    std::erase_if(ranges, [](const TFrameRange& r) { return r.First >= r.End; });
    std::sort(ranges.begin(), ranges.end(),
              [](const TFrameRange& a, const TFrameRange& b) { return a.First < b.First; });
    std::vector<TFrameRange> merged;
    for (const TFrameRange& r : ranges) {
        if (!merged.empty() && r.First <= merged.back().End)
            merged.back().End = std::max(merged.back().End, r.End);
        else
            merged.push_back(r);
    }
    return merged;
}

}  // namespace

// Each frame is drawn as the classic routine draws it; only frames that cannot touch the
// clip are passed over, so a width far beyond the rectangle paints what drawing every frame
// would, in a few calls. Coordinates are worked out in 64 bits and saturate on the way to the
// canvas, which keeps every line that can show where it was.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    const std::int64_t left = rect.Left, top = rect.Top;
    const std::int64_t right = std::int64_t{rect.Right} - 1, bottom = std::int64_t{rect.Bottom} - 1;
    const std::int64_t count = std::max(width, 0);
    TRect clip{};
    const bool visible = GetClipBox(canvas->Handle(), &clip) == SIMPLEREGION;
    std::int64_t last = -1;  // the last frame drawn
    for (const TFrameRange& range : visible ? VisibleFrames(left, top, right, bottom, count, clip)
                                            : std::vector<TFrameRange>{}) {
        for (std::int64_t k = range.First; k < range.End; ++k) {
            const int l = SaturatedInt(left + k), t = SaturatedInt(top + k);
            const int r = SaturatedInt(right - k), b = SaturatedInt(bottom - k);
            canvas->Pen()->SetColor(topColor);
            canvas->MoveTo(l, b);
            canvas->LineTo(l, t);
            canvas->LineTo(r, t);
            canvas->Pen()->SetColor(bottomColor);
            canvas->MoveTo(r, t);
            canvas->LineTo(r, b);
            canvas->LineTo(SaturatedInt(left + k - 1), b);
            last = k;
        }
    }
    // The pen ends where and as the last frame leaves it, drawn or not.
    if (count > 0 && last != count - 1) {
        canvas->Pen()->SetColor(bottomColor);
        canvas->MoveTo(SaturatedInt(left + count - 2), SaturatedInt(bottom - count + 1));
    }
    // Opposite sides move in together, as far as an int holds them: the middle of the
    // rectangle, where a caption centres, stays where the whole width would leave it.
    auto shrink = [&](std::int32_t& low, std::int32_t& high) {
        const std::int64_t by =
            std::min({count, std::int64_t{INT32_MAX} - low, std::int64_t{high} - INT32_MIN});
        low = static_cast<std::int32_t>(low + by);
        high = static_cast<std::int32_t>(high - by);
    };
    shrink(rect.Left, rect.Right);
    shrink(rect.Top, rect.Bottom);
}
