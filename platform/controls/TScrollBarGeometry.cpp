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
    const int length = Length();
    if (length > 2 * kSize + kMinTrack) return kSize;
    return length > kMinTrack ? (length - kMinTrack) / 2 : 0;
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

// A bar with room for no more than the shortest track has no thumb; otherwise the thumb
// takes the page's share of the track, rounded, and at least kMinThumb when that fits.
int TScrollBarGeometry::ThumbLength() const {
    if (Length() <= 2 * kSize + kMinTrack || MaxPosition() == 0) return 0;
    const int track = Length() - 2 * kSize;
    const int thumb = std::max(MulDiv(track, FPage, FRange), kMinThumb);
    return thumb <= track ? thumb : 0;
}

int TScrollBarGeometry::ThumbStart() const {
    const TRect track = TrackRect();
    const int start = FVertical ? track.Top : track.Left;
    const int free = (FVertical ? track.Height() : track.Width()) - ThumbLength();
    const int position = std::clamp(FPosition, 0, MaxPosition());
    return start + MulDiv(free, position, std::max(1, MaxPosition()));
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

// The raised edge of a push button, filled with the face.
void RaisedButton(HDC dc, TRect r) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

enum class TArrow : std::uint8_t { Up, Down, Left, Right };

// A solid triangle, its tip one pixel and each row (or column) from the tip two pixels longer:
// four rows in a 16-pixel button (1, 3, 5, 7 pixels), three in smaller ones. It is placed in
// the largest square centred in the button, by proportions of the square's side less 2 (the
// classic arrow's), one pixel up and left of where they fall, as the system draws a button
// that is not pressed. A button only a few pixels long gets its arrow partly outside.
void ArrowGlyph(HDC dc, const TRect& button, TArrow arrow) {
    const int side = std::min(button.Width(), button.Height());
    const int left = button.Left + (button.Width() - side) / 2;
    const int top = button.Top + (button.Height() - side) / 2;
    const int small = side - 2;
    const int base = std::max(2, 290 * small / 1000 - 1);  // the base's row from the tip
    const int across = 470 * small / 1000 + 1, along = 687 * small / 1000;
    auto row = [&](int x, int y, int k) {  // across a vertical arrow
        FillSolidRect(dc, TRect{x - k, y, x + k + 1, y + 1}, clBtnText);
    };
    auto column = [&](int x, int y, int k) {
        FillSolidRect(dc, TRect{x, y - k, x + 1, y + k + 1}, clBtnText);
    };
    for (int k = 0; k <= base; ++k) {
        switch (arrow) {
            case TArrow::Up:
                row(left + across, top + side - along - 2 + k, k);
                break;
            case TArrow::Down:
                row(left + across, top + along - k, k);
                break;
            case TArrow::Left:
                column(left + side - along - 2 + k, top + across, k);
                break;
            case TArrow::Right:
                column(left + along - k, top + across, k);
                break;
        }
    }
}

// The track: a checkerboard of face and highlight, face on the context's origin, a pattern
// brush repeated from there.
void Track(HDC dc, const TRect& r) {
    HBRUSH brush = CreatePatternBrush(CheckerPattern(clBtnFace, clBtnHighlight)->Handle());
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

// Arrows first, each a raised button with its triangle, then the track and the thumb over
// it: a bar too short for its arrows gets them drawn over its ends and beyond.
void TScrollBarGeometry::Paint(HDC dc) const {
    if (FBar.IsEmpty()) return;
    if (ArrowLength() > 0) {
        const TRect a1 = Arrow1Rect(), a2 = Arrow2Rect();
        RaisedButton(dc, a1);
        ArrowGlyph(dc, a1, FVertical ? TArrow::Up : TArrow::Left);
        RaisedButton(dc, a2);
        ArrowGlyph(dc, a2, FVertical ? TArrow::Down : TArrow::Right);
    }
    const TRect track = TrackRect();
    if (track.IsEmpty()) return;
    Track(dc, track);
    const TRect thumb = ThumbRect();
    if (!thumb.IsEmpty()) RaisedButton(dc, thumb);
}
