#include "controls/TScrollBarGeometry.h"

#include <algorithm>

#include "graphics/CheckerPattern.h"
#include "graphics/Graphics.h"
#include "graphics/TBitmap.h"

TScrollBarGeometry::TScrollBarGeometry(const TRect& bar, bool vertical, int position, int page,
                                       int range)
    : FBar(bar),
      FVertical(vertical),
      FPosition(position),
      FPage(std::max(1, page)),
      FRange(std::max(0, range)) {}

int TScrollBarGeometry::MaxPosition() const {
    return std::max(0, FRange - FPage);
}

int TScrollBarGeometry::ArrowLength() const {
    const int length = FVertical ? FBar.Height() : FBar.Width();
    return std::min(kSize, std::max(0, length) / 2);
}

TRect TScrollBarGeometry::Span(int from, int to) const {
    return FVertical ? TRect{FBar.Left, from, FBar.Right, to}
                     : TRect{from, FBar.Top, to, FBar.Bottom};
}

TRect TScrollBarGeometry::Arrow1Rect() const {
    const int start = FVertical ? FBar.Top : FBar.Left;
    return Span(start, start + ArrowLength());
}

TRect TScrollBarGeometry::Arrow2Rect() const {
    const int end = FVertical ? FBar.Bottom : FBar.Right;
    return Span(end - ArrowLength(), end);
}

TRect TScrollBarGeometry::TrackRect() const {
    const int start = FVertical ? FBar.Top : FBar.Left;
    const int end = FVertical ? FBar.Bottom : FBar.Right;
    return Span(start + ArrowLength(), end - ArrowLength());
}

int TScrollBarGeometry::ThumbLength() const {
    const TRect track = TrackRect();
    const int length = FVertical ? track.Height() : track.Width();
    if (length < kMinThumb || MaxPosition() == 0) return 0;
    const long long thumb = static_cast<long long>(length) * FPage / FRange;
    return static_cast<int>(std::clamp<long long>(thumb, kMinThumb, length));
}

int TScrollBarGeometry::ThumbStart() const {
    const TRect track = TrackRect();
    const int start = FVertical ? track.Top : track.Left;
    const int free = (FVertical ? track.Height() : track.Width()) - ThumbLength();
    const int position = std::clamp(FPosition, 0, MaxPosition());
    return start +
           static_cast<int>(static_cast<long long>(free) * position / std::max(1, MaxPosition()));
}

TRect TScrollBarGeometry::ThumbRect() const {
    const int length = ThumbLength();
    if (length == 0) return TRect{};
    const int start = ThumbStart();
    return Span(start, start + length);
}

int TScrollBarGeometry::PositionForThumbAt(int thumbStart) const {
    const TRect track = TrackRect();
    const int start = FVertical ? track.Top : track.Left;
    const int free = (FVertical ? track.Height() : track.Width()) - ThumbLength();
    if (free <= 0) return 0;
    const long long offset = std::clamp(thumbStart - start, 0, free);
    // Nearest position, so that dragging back to where the thumb was restores it.
    return static_cast<int>((offset * MaxPosition() + free / 2) / free);
}

TScrollBarPart TScrollBarGeometry::HitTest(TPoint p) const {
    if (!FBar.Contains(p)) return TScrollBarPart::None;
    if (Arrow1Rect().Contains(p)) return TScrollBarPart::Arrow1;
    if (Arrow2Rect().Contains(p)) return TScrollBarPart::Arrow2;
    const TRect thumb = ThumbRect();
    if (thumb.IsEmpty()) return TScrollBarPart::None;
    if (thumb.Contains(p)) return TScrollBarPart::Thumb;
    return Along(p) < ThumbStart() ? TScrollBarPart::PageBack : TScrollBarPart::PageForward;
}

namespace {

void Fill(HDC dc, const TRect& r, TColor color) {
    FillSolidRect(dc, r, color);
}

// The raised edge of a push button: light over dark shadow outside, highlight over shadow
// inside, the top-right and bottom-left corners in the bottom colours, then the face.
void RaisedButton(HDC dc, const TRect& r) {
    auto frame = [&](const TRect& f, TColor topLeft, TColor bottomRight) {
        if (f.IsEmpty()) return;
        Fill(dc, TRect{f.Left, f.Top, f.Right - 1, f.Top + 1}, topLeft);
        Fill(dc, TRect{f.Left, f.Top + 1, f.Left + 1, f.Bottom - 1}, topLeft);
        Fill(dc, TRect{f.Right - 1, f.Top, f.Right, f.Bottom}, bottomRight);
        Fill(dc, TRect{f.Left, f.Bottom - 1, f.Right - 1, f.Bottom}, bottomRight);
    };
    frame(r, cl3DLight, cl3DDkShadow);
    const TRect inner{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    frame(inner, clBtnHighlight, clBtnShadow);
    Fill(dc, TRect{inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Bottom - 1}, clBtnFace);
}

// A solid triangle pointing up, down, left or right, centred in the button: rows (or
// columns) 1, 3, 5 and 7 pixels long, as the classic scroll arrows are.
enum class TArrow : std::uint8_t { Up, Down, Left, Right };

void ArrowGlyph(HDC dc, const TRect& button, TArrow arrow) {
    const int steps = std::min({4, (button.Width() - 4) / 2, (button.Height() - 4) / 2});
    if (steps <= 0) return;
    const int base = 2 * steps - 1;
    const bool vertical = arrow == TArrow::Up || arrow == TArrow::Down;
    const int across = vertical ? base : steps, along = vertical ? steps : base;
    const int x0 = button.Left + (button.Width() - across) / 2;
    const int y0 = button.Top + (button.Height() - along) / 2;
    for (int i = 0; i < steps; ++i) {
        // i counts from the tip; the tip row is one pixel long.
        const int len = 2 * i + 1, from = steps - 1 - i;
        switch (arrow) {
            case TArrow::Up:
                Fill(dc, TRect{x0 + from, y0 + i, x0 + from + len, y0 + i + 1}, clBtnText);
                break;
            case TArrow::Down:
                Fill(dc, TRect{x0 + from, y0 + steps - 1 - i, x0 + from + len, y0 + steps - i},
                     clBtnText);
                break;
            case TArrow::Left:
                Fill(dc, TRect{x0 + i, y0 + from, x0 + i + 1, y0 + from + len}, clBtnText);
                break;
            case TArrow::Right:
                Fill(dc, TRect{x0 + steps - 1 - i, y0 + from, x0 + steps - i, y0 + from + len},
                     clBtnText);
                break;
        }
    }
}

// The track: a checkerboard of highlight and face, a pattern brush repeated from the
// context's origin.
void Track(HDC dc, const TRect& r) {
    HBRUSH brush = CreatePatternBrush(CheckerPattern(clBtnHighlight, clBtnFace)->Handle());
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

void TScrollBarGeometry::Paint(HDC dc) const {
    if (FBar.IsEmpty()) return;
    const TRect a1 = Arrow1Rect(), a2 = Arrow2Rect();
    RaisedButton(dc, a1);
    ArrowGlyph(dc, a1, FVertical ? TArrow::Up : TArrow::Left);
    RaisedButton(dc, a2);
    ArrowGlyph(dc, a2, FVertical ? TArrow::Down : TArrow::Right);
    const TRect track = TrackRect();
    if (track.IsEmpty()) return;
    Track(dc, track);
    const TRect thumb = ThumbRect();
    if (!thumb.IsEmpty()) RaisedButton(dc, thumb);
}
